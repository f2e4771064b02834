// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image data of a non-interlaced PNG, row by row: the IDAT chunks are
// checked (bounds and CRC), their data inflated with zlib many rows at a
// time into a window that stays in the cache, and each row unfiltered in
// place. Inflating a whole window at once keeps zlib on its fast path for
// nearly every byte, where one row a call leaves the end of every row to its
// slow path.
//
// Anything broken ends the reading: a chunk that runs past the file or fails
// its CRC, a filter that does not exist, data that ends before the last row,
// goes on after it, or fails its checksum, and chunks after the data that do
// not run whole to IEND.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/pixel_bytes.h"

// A chunk of a PNG file: its type's four letters and its data.
struct PngChunk {
    const std::uint8_t* type = nullptr;
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;

    bool Is(const char* fourLetters) const;
    // A critical chunk's type starts with a capital letter.
    bool IsCritical() const { return (type[0] & 0x20) == 0; }
};

// The chunk starting at byte at of file, checked to lie inside the file with
// its CRC right; the next chunk starts 12 + length bytes later.
bool ReadPngChunk(std::span<const std::uint8_t> file, std::size_t at, PngChunk& chunk);

class CPngRows {
public:
    // file is the whole PNG, whose header says rows of rowBytes bytes (the
    // filter byte not counted), height of them, pixelBytes to a whole pixel;
    // its image data starts with the chunk at dataAt.
    CPngRows(std::span<const std::uint8_t> file, std::size_t dataAt, std::size_t rowBytes, std::size_t pixelBytes,
             std::uint32_t height);
    ~CPngRows();
    CPngRows(const CPngRows&) = delete;
    CPngRows& operator=(const CPngRows&) = delete;

    // The next row, unfiltered, valid until the next call; null when the
    // data is broken or ends, or every row was read.
    const std::uint8_t* Next();
    // After the last row: true when the data ends there with its checksum
    // right and the chunks after it run whole to IEND.
    bool Finish();

private:
    bool Inflate();
    bool FeedNextChunk();
    bool Unfilter(std::uint8_t* row) const;

    std::span<const std::uint8_t> m_file;
    std::size_t m_at;  // the next chunk to look at
    bool m_seenData = false;
    std::size_t m_rowBytes;
    std::size_t m_pixelBytes;
    std::size_t m_stride;  // a row with its filter byte
    std::uint32_t m_height;
    std::uint32_t m_rowsRead = 0;
    std::uint64_t m_left;  // inflated bytes the image still has to come

    z_stream m_stream{};
    bool m_open = false;
    bool m_ended = false;
    PixelBytes m_window;  // written by zlib before anything reads it
    std::size_t m_filled = 0;  // bytes inflated into the window
    std::size_t m_taken = 0;   // of those, bytes of rows handed out
    std::vector<std::uint8_t> m_previousCopy;
    const std::uint8_t* m_previous = nullptr;  // the last row handed out, zeros before the first
};
