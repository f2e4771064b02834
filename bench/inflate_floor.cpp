// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/inflate_floor.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

Bytes CompressedData(const Bytes& png)
{
    Bytes data;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(&png[at]);
        if (std::memcmp(&png[at + 4], "IDAT", 4) == 0) {
            data.insert(data.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    return data;
}

}  // namespace

CInflateFloor::CInflateFloor(const Bytes& png)
    : m_compressed(CompressedData(png)),
      // Rows of 8-bit RGBA with their filter bytes: room for any picture.
      m_raw(png.size() < 24 ? 0 : static_cast<std::size_t>(Be32(&png[16])) * 4 * Be32(&png[20]) + Be32(&png[20]))
{
}

bool CInflateFloor::Run()
{
    uLongf size = m_raw.size();
    const bool inflated = uncompress(m_raw.data(), &size, m_compressed.data(), m_compressed.size()) == Z_OK;
    benchmark::DoNotOptimize(m_raw.data());
    return inflated;
}
