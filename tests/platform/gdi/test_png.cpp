// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/platform/gdi/test_png.h"

#include <array>
#include <fstream>
#include <random>
#include <string>

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, Crc32(body.data(), body.size()));
}

std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(n));
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(~n));
        out.push_back(static_cast<std::uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
            raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool WriteTestPng(const std::filesystem::path& path, const TestPng& picture)
{
    const int channels = picture.type == TestPng::Type::Rgb ? 3 : picture.type == TestPng::Type::Rgba ? 4 : 1;
    const std::uint8_t colourType = picture.type == TestPng::Type::Rgb ? 2 : picture.type == TestPng::Type::Rgba ? 6 : 3;
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(picture.width));
    PutBe32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, colourType, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    if (picture.type == TestPng::Type::Palette) {
        PutChunk(png, "PLTE", picture.palette);
        if (!picture.paletteAlpha.empty()) {
            PutChunk(png, "tRNS", picture.paletteAlpha);
        }
    }
    std::vector<std::uint8_t> raw;
    const std::size_t row = static_cast<std::size_t>(picture.width) * channels;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);  // no filter
        const auto start = picture.pixels.begin() + static_cast<std::ptrdiff_t>(row * y);
        raw.insert(raw.end(), start, start + static_cast<std::ptrdiff_t>(row));
    }
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

TempFolder::TempFolder()
{
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("kx-gdi-test-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::u16string TempFolder::File(const char* name) const
{
    return (m_path / name).u16string();
}
