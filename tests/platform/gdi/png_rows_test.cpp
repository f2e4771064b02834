// SPDX-License-Identifier: GPL-3.0-or-later
// The quick path's own reading of the image data: every filter undone
// across the ends of its inflate window, the data split into chunks
// anyhow, and the ways image data can be broken around its rows. Each file
// is built here from known pixels and decoded by the quick path and by
// libspng alone, which must agree.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/png_direct.h"
#include "platform/gdi/png_libspng.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kRgba = 6;

void PutBe32(Bytes& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void PutChunk(Bytes& png, const char* type, const Bytes& data)
{
    PutBe32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBe32(png, static_cast<std::uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// A picture as its rows of samples, and how each row is filtered.
struct Picture {
    std::uint8_t colourType = kRgb;
    int width = 0;
    int height = 0;
    std::size_t pixelBytes = 3;
    std::vector<Bytes> rows;
    Bytes palette;  // r, g, b per entry

    static Picture Made(std::uint8_t colourType, int width, int height)
    {
        Picture picture{colourType, width, height, colourType == kRgb ? 3u : colourType == kRgba ? 4u : 1u, {}, {}};
        std::uint32_t seed = 12345;
        for (int y = 0; y < height; ++y) {
            Bytes row(picture.pixelBytes * static_cast<std::size_t>(width));
            for (std::size_t i = 0; i < row.size(); ++i) {
                // Smooth with noise, so that every filter meets carries and borrows.
                seed = seed * 1103515245u + 12345u;
                row[i] = static_cast<std::uint8_t>(i / 3 + static_cast<std::size_t>(y) * 2 + ((seed >> 16) & 15));
                if (colourType == kPalette) {
                    row[i] = static_cast<std::uint8_t>(row[i] % 200);
                }
            }
            picture.rows.push_back(std::move(row));
        }
        for (int i = 0; i < 200; ++i) {
            picture.palette.insert(picture.palette.end(),
                {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)});
        }
        return picture;
    }

    // The filtered rows, each after its filter byte: row y takes filter
    // filterOf(y).
    template <typename FilterOf>
    Bytes Raw(FilterOf filterOf) const
    {
        Bytes raw;
        const Bytes zeros(rows.empty() ? 0 : rows[0].size(), 0);
        for (std::size_t y = 0; y < rows.size(); ++y) {
            const Bytes& row = rows[y];
            const Bytes& up = y > 0 ? rows[y - 1] : zeros;
            const std::uint8_t filter = filterOf(y);
            raw.push_back(filter);
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
                const int corner = i >= pixelBytes ? up[i - pixelBytes] : 0;
                const int predicted = filter == 0   ? 0
                                      : filter == 1 ? left
                                      : filter == 2 ? up[i]
                                      : filter == 3 ? (left + up[i]) / 2
                                                    : Paeth(left, up[i], corner);
                raw.push_back(static_cast<std::uint8_t>(row[i] - predicted));
            }
        }
        return raw;
    }

    // The file: header, palette, the compressed data cut into IDAT chunks
    // of the given lengths (the rest in one), what comes after, IEND.
    Bytes File(const Bytes& compressed, const std::vector<std::size_t>& cuts = {},
               const std::vector<std::pair<const char*, Bytes>>& after = {}) const
    {
        return colourType == kPalette ? FileWith({{"PLTE", palette}}, compressed, cuts, after)
                                      : FileWith({}, compressed, cuts, after);
    }

    // The same with the chunks between IHDR and the image data given.
    Bytes FileWith(const std::vector<std::pair<const char*, Bytes>>& before, const Bytes& compressed,
                   const std::vector<std::size_t>& cuts = {},
                   const std::vector<std::pair<const char*, Bytes>>& after = {}) const
    {
        Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Bytes header;
        PutBe32(header, static_cast<std::uint32_t>(width));
        PutBe32(header, static_cast<std::uint32_t>(height));
        header.insert(header.end(), {8, colourType, 0, 0, 0});
        PutChunk(png, "IHDR", header);
        for (const auto& [type, data] : before) {
            PutChunk(png, type, data);
        }
        std::size_t at = 0;
        for (const std::size_t cut : cuts) {
            const std::size_t length = std::min(cut, compressed.size() - at);
            PutChunk(png, "IDAT", Bytes(compressed.begin() + static_cast<std::ptrdiff_t>(at),
                                        compressed.begin() + static_cast<std::ptrdiff_t>(at + length)));
            at += length;
        }
        PutChunk(png, "IDAT", Bytes(compressed.begin() + static_cast<std::ptrdiff_t>(at), compressed.end()));
        for (const auto& [type, data] : after) {
            PutChunk(png, type, data);
        }
        PutChunk(png, "IEND", {});
        return png;
    }
};

Bytes Compressed(const Bytes& raw, int level = 6)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level), Z_OK);
    out.resize(size);
    return out;
}

// The quick path decodes file exactly as libspng does.
void ExpectDecodedAsLibspngDoes(const Bytes& file, const std::string& what)
{
    SCOPED_TRACE(what);
    DecodedPicture quick;
    ASSERT_EQ(DecodePngDirect(file, quick), DirectPng::Decoded);
    const auto reference = DecodePngWithLibspng(file);
    ASSERT_TRUE(reference.has_value());
    ASSERT_EQ(quick.format, reference->format);
    ASSERT_EQ(quick.pixels.size(), reference->pixels.size());
    EXPECT_EQ(std::memcmp(quick.pixels.data(), reference->pixels.data(), quick.pixels.size()), 0);
    EXPECT_EQ(quick.palette, reference->palette);
}

DirectPng Quick(const Bytes& file)
{
    DecodedPicture picture;
    return DecodePngDirect(file, picture);
}

}  // namespace

// Rows of 1000 bytes and more, 700 of them, run through the 256 KB inflate
// window twice or more: rows straddle the window's ends, where the row above
// must carry over for Up, Average and Paeth.
TEST(PngRows, EveryFilterIsUndoneForEveryKindAcrossTheWindowsEnds)
{
    for (const std::uint8_t type : {kRgb, kRgba, kPalette}) {
        const Picture picture = Picture::Made(type, type == kPalette ? 1001 : 333, 700);
        for (std::uint8_t filter = 0; filter <= 4; ++filter) {
            ExpectDecodedAsLibspngDoes(picture.File(Compressed(picture.Raw([filter](std::size_t) { return filter; }))),
                "type " + std::to_string(type) + ", filter " + std::to_string(filter) + " on every row");
        }
        const Bytes mixed = picture.Raw([](std::size_t y) { return static_cast<std::uint8_t>((y * 7 + y / 5) % 5); });
        ExpectDecodedAsLibspngDoes(picture.File(Compressed(mixed)), "type " + std::to_string(type) + ", mixed filters");
    }
}

// However the data is cut into chunks (one byte, empty, uneven, stored
// blocks), and with ancillary chunks after it, the picture is the same; a
// one-pixel picture too.
TEST(PngRows, TheDataMayBeCutIntoChunksAnyhow)
{
    const Picture picture = Picture::Made(kRgba, 97, 41);
    const Bytes raw = picture.Raw([](std::size_t y) { return static_cast<std::uint8_t>(y % 5); });
    const Bytes compressed = Compressed(raw);
    ExpectDecodedAsLibspngDoes(picture.File(compressed, {1, 0, 1, 7, 0, 300, 2, 4096}), "uneven chunks");
    ExpectDecodedAsLibspngDoes(picture.File(Compressed(raw, 0), {65535, 3}), "stored blocks");
    ExpectDecodedAsLibspngDoes(picture.File(compressed, {}, {{"tEXt", {'a', 0, 'b'}}, {"zzZz", {1, 2}}}),
        "ancillary chunks after the data");
    const Picture dot = Picture::Made(kRgb, 1, 1);
    ExpectDecodedAsLibspngDoes(dot.File(Compressed(dot.Raw([](std::size_t) { return 4; })), {1, 1, 1}),
        "one pixel, the data a byte a chunk");
}

// Broken image data is refused, whatever part of it is broken.
TEST(PngRows, ImageDataBrokenAroundItsRowsIsRefused)
{
    const Picture picture = Picture::Made(kRgb, 50, 20);
    const Bytes raw = picture.Raw([](std::size_t y) { return static_cast<std::uint8_t>(y % 5); });
    ASSERT_EQ(Quick(picture.File(Compressed(raw))), DirectPng::Decoded);

    Bytes shortRaw(raw.begin(), raw.end() - 10);
    EXPECT_EQ(Quick(picture.File(Compressed(shortRaw))), DirectPng::Refused) << "data ends inside the last row";
    Bytes longRaw = raw;
    longRaw.push_back(0);
    EXPECT_EQ(Quick(picture.File(Compressed(longRaw))), DirectPng::Refused) << "data goes on after the last row";
    Bytes badFilter = raw;
    badFilter[(50 * 3 + 1) * 7] = 5;
    EXPECT_EQ(Quick(picture.File(Compressed(badFilter))), DirectPng::Refused) << "a filter that does not exist";

    Bytes badChecksum = Compressed(raw);
    badChecksum.back() ^= 1;
    EXPECT_EQ(Quick(picture.File(badChecksum)), DirectPng::Refused) << "checksum of the data";
    const Bytes cutChecksum(badChecksum.begin(), badChecksum.end() - 4);
    EXPECT_EQ(Quick(picture.File(cutChecksum)), DirectPng::Refused) << "no checksum";

    const Bytes compressed = Compressed(raw);
    EXPECT_EQ(Quick(picture.File(compressed, {100}, {{"tEXt", {'a', 0}}, {"IDAT", {}}})), DirectPng::Refused)
        << "data chunks apart";
    EXPECT_EQ(Quick(picture.File(compressed, {}, {{"PLTE", {1, 2, 3}}})), DirectPng::Refused)
        << "a critical chunk after the data";
    Bytes noEnd = picture.File(compressed);
    noEnd.resize(noEnd.size() - 12);
    EXPECT_EQ(Quick(noEnd), DirectPng::Refused) << "no IEND";
    Bytes badChunkCrc = picture.File(compressed, {}, {{"tEXt", {'a', 0}}});
    badChunkCrc[badChunkCrc.size() - 12 - 1] ^= 1;
    EXPECT_EQ(Quick(badChunkCrc), DirectPng::Refused) << "a chunk after the data fails its CRC";
}

// The chunks before the image data: a picture of another kind is left to the
// general path; one of these kinds with a chunk there that is broken or out
// of place is refused; ancillary chunks and a truecolour picture's suggested
// palette change nothing.
TEST(PngRows, TheChunksBeforeTheDataAreCheckedAndTheKindChosen)
{
    const Picture palette = Picture::Made(kPalette, 30, 10);
    const Bytes indices = Compressed(palette.Raw([](std::size_t) { return 0; }));
    const Bytes plte = palette.palette;
    const Bytes alpha = {0, 128, 255};
    ExpectDecodedAsLibspngDoes(palette.FileWith({{"gAMA", {0, 0, 0xB1, 0x8F}}, {"PLTE", plte}, {"tRNS", alpha},
                                                 {"tEXt", {'k', 0, 'v'}}}, indices),
        "palette, transparency and ancillary chunks");
    EXPECT_EQ(Quick(palette.FileWith({}, indices)), DirectPng::Refused) << "no palette";
    EXPECT_EQ(Quick(palette.FileWith({{"tRNS", alpha}, {"PLTE", plte}}, indices)), DirectPng::Refused)
        << "transparency before the palette";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", plte}, {"PLTE", plte}}, indices)), DirectPng::Refused)
        << "two palettes";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", {1, 2, 3, 4}}}, indices)), DirectPng::Refused)
        << "a palette of broken length";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", Bytes(3 * 257, 9)}}, indices)), DirectPng::Refused)
        << "a palette of 257 entries";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", {1, 2, 3}}, {"tRNS", {1, 2}}}, indices)), DirectPng::Refused)
        << "transparency for more entries than the palette has";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", plte}, {"ABCD", {}}}, indices)), DirectPng::Refused)
        << "an unknown critical chunk";
    EXPECT_EQ(Quick(palette.FileWith({{"PLTE", plte}, {"IEND", {}}}, indices)), DirectPng::Refused)
        << "the end before the data";

    const Picture rgb = Picture::Made(kRgb, 20, 8);
    const Bytes samples = Compressed(rgb.Raw([](std::size_t) { return 1; }));
    ExpectDecodedAsLibspngDoes(rgb.FileWith({{"PLTE", {1, 2, 3, 4, 5, 6}}}, samples), "a suggested palette");
    EXPECT_EQ(Quick(rgb.FileWith({{"tRNS", {0, 1, 0, 2, 0, 3}}}, samples)), DirectPng::NotHandled)
        << "a transparent colour";
    const Picture rgba = Picture::Made(kRgba, 20, 8);
    EXPECT_EQ(Quick(rgba.FileWith({{"tRNS", {0, 1, 0, 2, 0, 3}}}, Compressed(rgba.Raw([](std::size_t) { return 2; })))),
        DirectPng::Refused)
        << "transparency beside an alpha channel";
}
