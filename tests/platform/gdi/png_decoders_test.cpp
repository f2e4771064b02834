// SPDX-License-Identifier: GPL-3.0-or-later
// The program's PNG decoder and libspng's give the same decoded picture, pixel
// for pixel, for every picture of the skins and for the odd kinds of PNG a
// skin could hold (palettes with transparency and beyond their end, grey of
// every depth, 16-bit samples, interlacing). The odd kinds are the picture
// fuzz target's seeds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/picture_file.h"
#include "platform/gdi/png_libspng.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kOddKinds = fs::path(KX_TEST_SOURCE_DIR) / "tests/fuzz/corpus/picture";

std::vector<fs::path> PngFilesBelow(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".png") {
            files.push_back(entry.path());
        }
    }
    return files;
}

void ExpectSameDecoding(const fs::path& file)
{
    SCOPED_TRACE(file.string());
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    const auto program = DecodePng(bytes);
    const auto contender = DecodePngWithLibspng(bytes);
    ASSERT_TRUE(program.has_value());
    ASSERT_TRUE(contender.has_value());
    EXPECT_EQ(program->format, contender->format);
    EXPECT_EQ(program->width, contender->width);
    EXPECT_EQ(program->height, contender->height);
    EXPECT_EQ(program->palette, contender->palette);
    ASSERT_EQ(program->pixels.size(), contender->pixels.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < program->pixels.size(); ++i) {
        differing += program->pixels[i] != contender->pixels[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u) << "bytes of the decoded rows differ";
}

}  // namespace

TEST(PngDecoders, GiveTheSamePixelsForEverySkinPicture)
{
    const std::vector<fs::path> files = PngFilesBelow(fs::path(KX_TEST_OUTPUT_DIR) / "Skins");
    ASSERT_GE(files.size(), 2u * 28u) << "the skins are built into the output folder";
    for (const fs::path& file : files) {
        ExpectSameDecoding(file);
    }
}

TEST(PngDecoders, GiveTheSamePixelsForOddKindsOfPng)
{
    const std::vector<fs::path> files = PngFilesBelow(kOddKinds);
    ASSERT_GE(files.size(), 30u);
    for (const fs::path& file : files) {
        ExpectSameDecoding(file);
    }
}

// The desktop codec on its own leaves such pixels unset; the program's
// decoder applies the transparent colour itself.
TEST(PngDecoders, MakeTheTransparentColourOfA16BitPictureTransparent)
{
    const auto picture = DecodePng(ReadBytes(kOddKinds / "rgb16_trns.png"));
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->format, DecodedPicture::Format::Alpha32);
    // The top row is the last in memory. Its pixel 0 has the transparent
    // colour (51400, 25700, 12850); pixel 1 is (1820, 0, 13), opaque.
    const std::size_t stride = picture->pixels.size() / static_cast<std::size_t>(picture->height);
    const std::uint8_t* top = picture->pixels.data() + stride * static_cast<std::size_t>(picture->height - 1);
    EXPECT_EQ((std::vector<int>{top[0], top[1], top[2], top[3]}), (std::vector<int>{50, 100, 200, 0}));
    EXPECT_EQ((std::vector<int>{top[4], top[5], top[6], top[7]}), (std::vector<int>{0, 0, 7, 255}));
}
