// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/png_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The window holds this many bytes of rows or more: inside the cache, long
// enough that a row's end is rarely a window's end, and few calls to zlib,
// which keeps the last 32 KB of each call's output in its own window.
constexpr std::size_t kWindowBytes = std::size_t{1} << 18;

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : (pb <= pc ? b : c));
}

}  // namespace

bool PngChunk::Is(const char* fourLetters) const
{
    return std::memcmp(type, fourLetters, 4) == 0;
}

bool ReadPngChunk(std::span<const std::uint8_t> file, std::size_t at, PngChunk& chunk)
{
    if (at > file.size() || file.size() - at < 12) {
        return false;
    }
    const std::uint32_t length = Be32(file.data() + at);
    if (length > 0x7FFFFFFFu || file.size() - at - 12 < length) {
        return false;
    }
    const std::uint8_t* type = file.data() + at + 4;
    const uLong crc = crc32(0, type, 4 + length);
    if (crc != Be32(type + 4 + length)) {
        return false;
    }
    chunk = {type, type + 4, length};
    return true;
}

CPngRows::CPngRows(std::span<const std::uint8_t> file, std::size_t dataAt, std::size_t rowBytes,
                   std::size_t pixelBytes, std::uint32_t height)
    : m_file(file),
      m_at(dataAt),
      m_rowBytes(rowBytes),
      m_pixelBytes(pixelBytes),
      m_stride(rowBytes + 1),
      m_height(height),
      m_left(static_cast<std::uint64_t>(rowBytes + 1) * height),
      // Never more rows than the picture has: a button's few rows need no
      // window of a page's size.
      m_window(PixelBytes::ForOverwrite(
          std::max<std::size_t>(1, std::min<std::size_t>(height, kWindowBytes / (rowBytes + 1))) * (rowBytes + 1))),
      m_previousCopy(rowBytes, 0),
      m_previous(m_previousCopy.data())
{
    m_open = !m_window.empty() && inflateInit(&m_stream) == Z_OK;
}

CPngRows::~CPngRows()
{
    if (m_open) {
        inflateEnd(&m_stream);
    }
}

const std::uint8_t* CPngRows::Next()
{
    if (!m_open || m_rowsRead == m_height) {
        return nullptr;
    }
    if (m_filled - m_taken < m_stride) {
        // The last row handed out stays the previous row; what is left of
        // the window, part of the next row, moves to its start.
        if (m_taken > 0) {
            std::memcpy(m_previousCopy.data(), m_window.data() + m_taken - m_rowBytes, m_rowBytes);
            m_previous = m_previousCopy.data();
        }
        std::memmove(m_window.data(), m_window.data() + m_taken, m_filled - m_taken);
        m_filled -= m_taken;
        m_taken = 0;
        while (m_filled < m_stride) {
            if (!Inflate()) {
                return nullptr;
            }
        }
    }
    std::uint8_t* row = m_window.data() + m_taken;
    if (!Unfilter(row)) {
        return nullptr;
    }
    m_previous = row + 1;
    m_taken += m_stride;
    ++m_rowsRead;
    return row + 1;
}

bool CPngRows::Inflate()
{
    if (m_ended || m_left == 0) {
        return false;  // the data ended before the image did
    }
    if (m_stream.avail_in == 0 && !FeedNextChunk()) {
        return false;
    }
    const std::size_t room = static_cast<std::size_t>(std::min<std::uint64_t>(m_window.size() - m_filled, m_left));
    m_stream.next_out = m_window.data() + m_filled;
    m_stream.avail_out = static_cast<uInt>(room);
    const uInt input = m_stream.avail_in;
    const int status = inflate(&m_stream, Z_NO_FLUSH);
    const std::size_t produced = room - m_stream.avail_out;
    if (produced == 0 && m_stream.avail_in == input && status != Z_STREAM_END) {
        return false;  // no progress at all: never ask again
    }
    m_filled += produced;
    m_left -= produced;
    if (status == Z_STREAM_END) {
        m_ended = true;
        return produced > 0;
    }
    // Z_BUF_ERROR: no progress without more input, which the next call feeds.
    return status == Z_OK || (status == Z_BUF_ERROR && m_stream.avail_in == 0);
}

// Hands zlib the data of the next IDAT chunk; false when the image data has
// no more chunks or the next one is broken.
bool CPngRows::FeedNextChunk()
{
    for (;;) {
        PngChunk chunk{};
        if (!ReadPngChunk(m_file, m_at, chunk)) {
            return false;
        }
        const bool data = chunk.Is("IDAT");
        if (!data && (m_seenData || chunk.Is("IEND"))) {
            return false;
        }
        m_at += 12 + std::size_t{chunk.length};
        if (data) {
            m_seenData = true;
            if (chunk.length > 0) {
                m_stream.next_in = const_cast<Bytef*>(chunk.data);
                m_stream.avail_in = chunk.length;
                return true;
            }
        }
    }
}

bool CPngRows::Finish()
{
    if (!m_open || m_rowsRead != m_height) {
        return false;
    }
    // The compressed data must end with the last row: anything more inflated
    // means a broken file, and only its end proves the checksum.
    while (!m_ended) {
        if (m_stream.avail_in == 0 && !FeedNextChunk()) {
            return false;
        }
        std::uint8_t extra = 0;
        m_stream.next_out = &extra;
        m_stream.avail_out = 1;
        const int status = inflate(&m_stream, Z_NO_FLUSH);
        if (m_stream.avail_out == 0) {
            return false;
        }
        if (status == Z_STREAM_END) {
            m_ended = true;
        } else if (status != Z_OK && !(status == Z_BUF_ERROR && m_stream.avail_in == 0)) {
            return false;
        }
    }
    // The rest of the data chunks, then every chunk whole up to IEND. Data
    // chunks follow one another only, and no critical chunk but IEND comes
    // after them.
    bool inData = true;
    for (;;) {
        PngChunk chunk{};
        if (!ReadPngChunk(m_file, m_at, chunk)) {
            return false;
        }
        m_at += 12 + std::size_t{chunk.length};
        if (chunk.Is("IEND")) {
            return chunk.length == 0;
        }
        if (chunk.Is("IDAT") ? !inData : chunk.IsCritical()) {
            return false;
        }
        inData = inData && chunk.Is("IDAT");
    }
}

bool CPngRows::Unfilter(std::uint8_t* row) const
{
    const std::uint8_t filter = row[0];
    std::uint8_t* r = row + 1;
    const std::uint8_t* up = m_previous;
    const std::size_t n = m_rowBytes;
    const std::size_t p = m_pixelBytes;
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = p; i < n; ++i) {
            r[i] = static_cast<std::uint8_t>(r[i] + r[i - p]);
        }
        return true;
    case 2:
        for (std::size_t i = 0; i < n; ++i) {
            r[i] = static_cast<std::uint8_t>(r[i] + up[i]);
        }
        return true;
    case 3:
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned left = i >= p ? r[i - p] : 0u;
            r[i] = static_cast<std::uint8_t>(r[i] + ((left + up[i]) >> 1));
        }
        return true;
    case 4:
        for (std::size_t i = 0; i < n; ++i) {
            const int left = i >= p ? r[i - p] : 0;
            const int corner = i >= p ? up[i - p] : 0;
            r[i] = static_cast<std::uint8_t>(r[i] + Paeth(left, up[i], corner));
        }
        return true;
    default:
        return false;
    }
}
