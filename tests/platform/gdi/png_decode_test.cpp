// SPDX-License-Identifier: GPL-3.0-or-later
// The program's PNG decoder: every kind of PNG a skin could hold decodes to
// the picture the program has always drawn from it, and a damaged file is
// refused however it is damaged.

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

// The file with one more chunk just before its closing IEND chunk, its CRC
// right or not.
Bytes WithChunkBeforeEnd(Bytes png, const char* type, const Bytes& data, bool crcRight)
{
    Bytes chunk(4, 0);
    for (int i = 0; i < 4; ++i) {
        chunk[i] = static_cast<std::uint8_t>(data.size() >> (24 - 8 * i));
    }
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    chunk.resize(chunk.size() + 4);
    MendCrc(chunk, 8, data.size());
    if (!crcRight) {
        chunk.back() ^= 1;
    }
    png.insert(png.end() - 12, chunk.begin(), chunk.end());
    return png;
}

// The skin's own kinds, and a small one of each from the odd kinds.
std::vector<fs::path> SkinKinds()
{
    return {kSkin / "main.png", kSkin / "Save-over.png", kOddKinds / "rgb8.png", kOddKinds / "rgba8.png",
            kOddKinds / "palette8.png", kOddKinds / "palette8_trns.png", kOddKinds / "palette8_beyond.png"};
}

}  // namespace

// Each of the picture fuzz target's seeds, one of every kind of PNG (grey of
// every depth, 16-bit samples, palettes with transparency, short and with
// indices beyond their end, transparent colours, interlacing), as the
// program's decoders have always given it: the format, the palette and the
// checksums of the rows and of the palette.
TEST(PngDecode, EveryKindOfPngDecodesAsItAlwaysHas)
{
    using F = DecodedPicture::Format;
    struct Expected {
        const char* file;
        F format;
        std::size_t paletteEntries;
        std::uint32_t pixelsCrc;
        std::uint32_t paletteCrc;
    };
    const Expected expected[] = {
    {"grey1.png", F::Palette8, 2, 0x4cc3fe13U, 0xd2fd1072U},
    {"grey16.png", F::Opaque32, 0, 0xf758e0b6U, 0x00000000U},
    {"grey16_trns.png", F::Alpha32, 0, 0xff08007aU, 0x00000000U},
    {"grey1_trns.png", F::Alpha32, 0, 0xc174e40bU, 0x00000000U},
    {"grey2.png", F::Palette8, 4, 0x8938016cU, 0x1e18784dU},
    {"grey2_trns.png", F::Alpha32, 0, 0xdd42103dU, 0x00000000U},
    {"grey2_trns_outside.png", F::Palette8, 4, 0x8938016cU, 0x1e18784dU},
    {"grey4.png", F::Palette8, 16, 0x3154d61eU, 0xfe0436a6U},
    {"grey8.png", F::Opaque32, 0, 0xf758e0b6U, 0x00000000U},
    {"grey8_trns.png", F::Alpha32, 0, 0xc15b13b7U, 0x00000000U},
    {"grey_alpha16.png", F::Alpha32, 0, 0x3b794eafU, 0x00000000U},
    {"grey_alpha8.png", F::Alpha32, 0, 0x70f831acU, 0x00000000U},
    {"interlaced_grey1.png", F::Palette8, 2, 0x4cc3fe13U, 0xd2fd1072U},
    {"interlaced_grey16.png", F::Opaque32, 0, 0xf758e0b6U, 0x00000000U},
    {"interlaced_palette8_trns.png", F::Alpha32, 0, 0x15517e51U, 0x00000000U},
    {"interlaced_rgba8.png", F::Alpha32, 0, 0xcfd5e17eU, 0x00000000U},
    {"palette1.png", F::Palette8, 2, 0xe9f40994U, 0xcdabee4dU},
    {"palette1_trns.png", F::Alpha32, 0, 0xe33d826dU, 0x00000000U},
    {"palette2.png", F::Palette8, 4, 0x8938016cU, 0xb7f29067U},
    {"palette4.png", F::Palette8, 16, 0x3154d61eU, 0x3815d7d9U},
    {"palette4_short.png", F::Palette8, 10, 0x76c35e2fU, 0xbe7faaf8U},
    {"palette8.png", F::Palette8, 256, 0x40918842U, 0x01b82fefU},
    {"palette8_beyond.png", F::Palette8, 30, 0x737bee29U, 0x21fae859U},
    {"palette8_beyond_trns.png", F::Alpha32, 0, 0x1acc8d2eU, 0x00000000U},
    {"palette8_opaque_trns.png", F::Palette8, 30, 0xd3c9ecafU, 0x0b8b692aU},
    {"palette8_trns.png", F::Alpha32, 0, 0x15517e51U, 0x00000000U},
    {"rgb16.png", F::Opaque32, 0, 0x53343bceU, 0x00000000U},
    {"rgb16_trns.png", F::Alpha32, 0, 0xab90fbc0U, 0x00000000U},
    {"rgb8.png", F::Opaque32, 0, 0x48753064U, 0x00000000U},
    {"rgb8_trns.png", F::Alpha32, 0, 0xaa1c3e12U, 0x00000000U},
    {"rgba16.png", F::Alpha32, 0, 0x9f1595d7U, 0x00000000U},
    {"rgba8.png", F::Alpha32, 0, 0xcfd5e17eU, 0x00000000U},
    };
    for (const Expected& e : expected) {
        const auto picture = DecodePng(ReadBytes(kOddKinds / e.file));
        ASSERT_TRUE(picture.has_value()) << e.file;
        EXPECT_EQ(picture->format, e.format) << e.file;
        EXPECT_EQ(picture->width, 37) << e.file;
        EXPECT_EQ(picture->height, 23) << e.file;
        EXPECT_EQ(picture->palette.size(), e.paletteEntries) << e.file;
        EXPECT_EQ(crc32(0, picture->pixels.data(), static_cast<uInt>(picture->pixels.size())), e.pixelsCrc) << e.file;
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(picture->palette.data()),
                      static_cast<uInt>(picture->palette.size() * 4)),
            e.paletteCrc)
            << e.file;
    }
}

TEST(PngDecode, AFileCutShortAnywhereIsRefused)
{
    for (const fs::path& file : SkinKinds()) {
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

TEST(PngDecode, DamagedImageDataIsRefusedWithOrWithoutItsChecksumMended)
{
    for (const fs::path& file : SkinKinds()) {
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

// The chunks after the image data are read to the end of the file: an
// ancillary one changes nothing, but one that fails its CRC, or a critical
// chunk, means the file is broken.
TEST(PngDecode, ChunksAfterTheImageDataAreChecked)
{
    const Bytes whole = ReadBytes(kOddKinds / "rgba8.png");
    const Bytes text = {'k', 0, 'v'};
    const auto plain = DecodePng(whole);
    ASSERT_TRUE(plain.has_value());
    const auto withText = DecodePng(WithChunkBeforeEnd(whole, "tEXt", text, true));
    ASSERT_TRUE(withText.has_value());
    EXPECT_EQ(std::memcmp(withText->pixels.data(), plain->pixels.data(), plain->pixels.size()), 0);
    EXPECT_FALSE(DecodePng(WithChunkBeforeEnd(whole, "tEXt", text, false))) << "a CRC that fails";
    EXPECT_FALSE(DecodePng(WithChunkBeforeEnd(whole, "ABCD", text, true))) << "an unknown critical chunk";
}

// The decoded rows are not filled before decoding, as decoding writes every
// pixel; the padding that ends a palette picture's odd-width rows it does not
// write, and it reads zero even in memory that held other bytes just before.
TEST(PngDecode, PaletteRowsEndInZeroPaddingWhateverTheMemoryHeldBefore)
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
        const auto decoded = DecodePng(file);
        ASSERT_TRUE(decoded.has_value());
        const DecodedPicture& picture = *decoded;
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
