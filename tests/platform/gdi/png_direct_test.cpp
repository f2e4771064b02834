// SPDX-License-Identifier: GPL-3.0-or-later
// The quick path through the skin's kinds of PNG: it takes them (a page
// decoded the slow way would make every paint slower without any test
// failing), leaves every other kind to the general path, and refuses a
// damaged file however it is damaged.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/picture_file.h"
#include "platform/gdi/png_direct.h"
#include "tests/platform/gdi/test_png.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kOddKinds = fs::path(KX_TEST_SOURCE_DIR) / "tests/fuzz/corpus/picture";
const fs::path kSkin = fs::path(KX_TEST_OUTPUT_DIR) / "Skins/EN";

DirectPng Direct(const Bytes& file)
{
    DecodedPicture picture;
    return DecodePngDirect(file, picture);
}

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Where the first IDAT chunk's data starts, and how long it is.
std::pair<std::size_t, std::size_t> FirstImageData(const Bytes& png)
{
    for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + Be32(&png[at])) {
        if (std::memcmp(&png[at + 4], "IDAT", 4) == 0) {
            return {at + 8, Be32(&png[at])};
        }
    }
    return {0, 0};
}

// The chunk's CRC mended after its data was changed.
void MendCrc(Bytes& png, std::size_t dataStart, std::size_t length)
{
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &png[dataStart - 4], static_cast<uInt>(length + 4)));
    for (int i = 0; i < 4; ++i) {
        png[dataStart + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
}

// The skin's own kinds, and a small one of each from the odd kinds.
std::vector<fs::path> QuickKinds()
{
    return {kSkin / "main.png", kSkin / "Save-over.png", kOddKinds / "rgb8.png", kOddKinds / "rgba8.png",
            kOddKinds / "palette8.png", kOddKinds / "palette8_trns.png", kOddKinds / "palette8_beyond.png"};
}

}  // namespace

TEST(PngDirect, TakesTheSkinsKindsAndLeavesEveryOtherKind)
{
    for (const fs::path& file : QuickKinds()) {
        EXPECT_EQ(Direct(ReadBytes(file)), DirectPng::Decoded) << file;
    }
    for (const char* name : {"interlaced_rgba8.png", "rgb16.png", "rgba16.png", "grey8.png", "grey_alpha8.png",
                             "palette4.png", "rgb8_trns.png"}) {
        EXPECT_EQ(Direct(ReadBytes(kOddKinds / name)), DirectPng::NotHandled) << name;
    }
}

TEST(PngDirect, AFileCutShortAnywhereIsRefused)
{
    for (const fs::path& file : QuickKinds()) {
        const Bytes whole = ReadBytes(file);
        // Up to the closing chunk's checksum, which neither path needs.
        const std::size_t step = std::max<std::size_t>(1, whole.size() / 97);
        for (std::size_t length = 0; length < whole.size() - 4; length += step) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(DecodePng(cut).has_value()) << file << " cut to " << length << " bytes";
        }
        // Everything but the closing chunk.
        const Bytes withoutEnd(whole.begin(), whole.end() - 12);
        EXPECT_FALSE(DecodePng(withoutEnd).has_value()) << file << " without its end";
    }
}

TEST(PngDirect, DamagedImageDataIsRefusedWithOrWithoutItsChecksumMended)
{
    for (const fs::path& file : QuickKinds()) {
        const Bytes whole = ReadBytes(file);
        const auto [start, length] = FirstImageData(whole);
        ASSERT_GT(length, 4u) << file;
        for (const std::size_t offset : {std::size_t{2}, length / 2, length - 3}) {
            Bytes damaged = whole;
            damaged[start + offset] ^= 0x5A;
            EXPECT_FALSE(DecodePng(damaged).has_value()) << file << " byte " << offset;
            MendCrc(damaged, start, length);
            EXPECT_FALSE(DecodePng(damaged).has_value()) << file << " byte " << offset << ", checksum mended";
        }
    }
}

// The decoded rows are not filled before decoding, as decoding writes every
// pixel; the padding that ends a palette picture's odd-width rows it does not
// write, and it reads zero even in memory that held other bytes just before.
TEST(PngDirect, PaletteRowsEndInZeroPaddingWhateverTheMemoryHeldBefore)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Palette, 3, 40, {}, {0, 0, 0, 255, 0, 0, 0, 255, 0}, {}};
    for (int i = 0; i < 3 * 40; ++i) {
        png.pixels.push_back(static_cast<std::uint8_t>(i % 3));
    }
    ASSERT_TRUE(WriteTestPng(folder.Path() / "odd.png", png));
    const Bytes file = ReadBytes(folder.Path() / "odd.png");
    for (int round = 0; round < 4; ++round) {
        void* dirty = std::malloc(4 * 40);
        ASSERT_NE(dirty, nullptr);
        std::memset(dirty, 0xEE, 4 * 40);
        std::free(dirty);
        DecodedPicture picture;
        ASSERT_EQ(DecodePngDirect(file, picture), DirectPng::Decoded);
        ASSERT_EQ(picture.format, DecodedPicture::Format::Palette8);
        ASSERT_EQ(picture.pixels.size(), 4u * 40u);
        for (int y = 0; y < 40; ++y) {
            const std::uint8_t* row = picture.pixels.data() + 4 * (39 - y);
            EXPECT_EQ(row[0], static_cast<std::uint8_t>((3 * y) % 3));
            EXPECT_EQ(row[1], static_cast<std::uint8_t>((3 * y + 1) % 3));
            EXPECT_EQ(row[3], 0) << "padding of row " << y;
        }
    }
}
