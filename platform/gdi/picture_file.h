// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files. The skin's pictures are PNG files and nothing else is
// decoded from them: a file in any other format fails like a broken one.
// The decoded form keeps what the file says about transparency and palettes;
// CImage turns it into a loaded image.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/pixel_bytes.h"

class CBitmap;

struct DecodedPicture {
    enum class Format {
        Alpha32,   // BGRA, straight alpha: the file has transparency
        Opaque32,  // BGRA, alpha 255
        Palette8,  // one byte per pixel indexing palette
    };
    Format format = Format::Opaque32;
    int width = 0;
    int height = 0;
    // Rows as a device-independent bitmap keeps them: the bottom row first,
    // each row padded to a multiple of 4 bytes (width * 4 bytes for 32-bit).
    PixelBytes pixels;
    // 0xAARRGGBB entries, Palette8 only.
    std::vector<std::uint32_t> palette;
};

// Bounds on what a picture file may ask of the program: the skin's largest
// picture is 752 x 647 pixels in about 125 KB.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{16} << 20;
inline constexpr int kMaxPictureSide = 4096;

// Decodes a PNG file held in memory with libspng; nothing for anything that
// is not a whole, valid PNG within the bounds above (a chunk that fails its
// CRC, image data that is cut short or goes on, no IEND).
std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> file);

// Pictures are drawn from their files at every paint. The decoded pictures
// are kept for the next paint, as many as one window draws at both densities
// (the main window's seventeen, twice), and within a bound on their memory.
inline constexpr std::size_t kPictureCacheEntries = 2 * 17;
inline constexpr std::size_t kPictureCacheBytes = std::size_t{48} << 20;

// Reads the picture file at path and decodes it as PNG. Nothing when the file
// is missing, not a regular file (a folder, a pipe, a device), larger than
// kMaxPictureFileBytes or not a PNG. The file is checked at every call: a kept
// picture is given only while the file has the same device, inode, size and
// modification time to the nanosecond as when it was decoded, and only for a
// file that had gone unchanged for a while by then. A failure is never kept.
std::optional<DecodedPicture> DecodePictureFile(std::u16string_view path);

// Writes bitmap as a PNG with its alpha bytes; false when it cannot.
bool SaveBitmapAsPng(const CBitmap& bitmap, std::u16string_view path);
