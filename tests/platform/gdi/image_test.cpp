// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>

#include "platform/gdi/image.h"
#include "platform/gdi/picture_file.h"
#include "tests/platform/gdi/test_png.h"

namespace {

TEST(Image, PictureWithTransparencyIs32BitsStraightAlphaBottomUp)
{
    TempFolder folder;
    // 2 x 2: top row red (alpha 128), green; bottom row blue, white (alpha 0).
    TestPng png{TestPng::Type::Rgba, 2, 2,
        {255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 0}, {}, {}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "a.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("a.png")), S_OK);
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_TRUE(image.HasAlphaChannel());
    EXPECT_EQ(image.GetPitch(), -8);
    const std::uint8_t* top = image.GetBits();
    EXPECT_EQ(top[0], 0);      // blue
    EXPECT_EQ(top[2], 255);    // red stays straight, not scaled by alpha
    EXPECT_EQ(top[3], 128);
    const std::uint8_t* bottom = top + image.GetPitch();
    EXPECT_EQ(bottom[0], 255);
    EXPECT_LT(bottom, top);    // the top row is last in memory
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(image.GetPixelAddress(1, 1)[3], 0);
    EXPECT_EQ(image.GetPixelAddress(2, 0), nullptr);
}

TEST(Image, PictureWithoutAlphaIsOpaque32Bits)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Rgb, 3, 1, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {}, {}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "o.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("o.png")), S_OK);
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_FALSE(image.HasAlphaChannel());
    EXPECT_EQ(image.GetPixel(2, 0), RGB(70, 80, 90));
    EXPECT_EQ(image.GetPixelAddress(0, 0)[3], 255);
}

TEST(Image, PalettePictureKeepsItsColourTable)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Palette, 5, 2, {0, 1, 2, 1, 0, 2, 2, 2, 2, 2},
        {255, 0, 0, 0, 128, 0, 1, 2, 3}, {}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "p.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("p.png")), S_OK);
    EXPECT_EQ(image.GetBPP(), 8);
    EXPECT_FALSE(image.HasAlphaChannel());
    EXPECT_EQ(image.GetPitch(), -8);  // 5 bytes padded to a whole word
    ASSERT_EQ(image.GetMaxColorTableEntries(), 3);
    RGBQUAD table[3];
    image.GetColorTable(0, 3, table);
    EXPECT_EQ(table[0].rgbRed, 255);
    EXPECT_EQ(table[1].rgbGreen, 128);
    EXPECT_EQ(table[2].rgbBlue, 3);
    EXPECT_EQ(*image.GetPixelAddress(1, 0), 1);
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 128, 0));
    EXPECT_EQ(image.GetPixel(0, 1), RGB(1, 2, 3));
}

TEST(Image, PalettePictureWithTransparentEntriesIsBlendedLikeAnyOther)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Palette, 2, 1, {0, 1}, {255, 0, 0, 0, 0, 255}, {0, 255}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "t.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("t.png")), S_OK);
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_TRUE(image.HasAlphaChannel());
    EXPECT_EQ(image.GetPixelAddress(0, 0)[3], 0);
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 0, 255));
}

TEST(Image, MissingOrBrokenFilesLeaveTheImageEmpty)
{
    TempFolder folder;
    CImage image;
    EXPECT_EQ(image.Load(folder.File("none.png")), E_FAIL);
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetBits(), nullptr);

    TestPng png{TestPng::Type::Rgb, 1, 1, {1, 2, 3}, {}, {}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "ok.png", png));
    ASSERT_EQ(image.Load(folder.File("ok.png")), S_OK);
    std::ofstream(folder.Path() / "bad.png", std::ios::binary) << "\x89PNG\r\n\x1A\n garbage";
    EXPECT_EQ(image.Load(folder.File("bad.png")), E_FAIL);
    EXPECT_TRUE(image.IsNull());  // the earlier picture is gone too
}

TEST(Image, DetachHandsOverATopDownBitmap)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Palette, 1, 2, {0, 1}, {9, 8, 7, 6, 5, 4}, {}};
    ASSERT_TRUE(WriteTestPng(folder.Path() / "d.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("d.png")), S_OK);
    const CBitmap bitmap = image.Detach();
    EXPECT_TRUE(image.IsNull());
    ASSERT_EQ(bitmap.Width(), 1);
    ASSERT_EQ(bitmap.Height(), 2);
    const std::uint8_t* top = bitmap.PixelAt(0, 0);
    EXPECT_EQ(top[2], 9);
    EXPECT_EQ(top[3], 255);
    EXPECT_EQ(bitmap.PixelAt(0, 1)[2], 6);

    CImage empty;
    EXPECT_TRUE(empty.Detach().IsNull());
}

// A 32-bit picture's rows are turned over in its own memory: every row lands
// in its place, the middle one of an odd count included, alpha and all.
TEST(Image, DetachTurnsA32BitPictureTopDown)
{
    TempFolder folder;
    TestPng png{TestPng::Type::Rgba, 2, 3, {}, {}, {}};
    for (std::uint8_t i = 0; i < 6; ++i) {
        png.pixels.insert(png.pixels.end(), {static_cast<std::uint8_t>(10 * i), 1, 2, static_cast<std::uint8_t>(200 + i)});
    }
    ASSERT_TRUE(WriteTestPng(folder.Path() / "rgba.png", png));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("rgba.png")), S_OK);
    const CBitmap bitmap = image.Detach();
    EXPECT_TRUE(image.IsNull());
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            const std::uint8_t* p = bitmap.PixelAt(x, y);
            EXPECT_EQ(p[2], 10 * (2 * y + x)) << x << "," << y;
            EXPECT_EQ(p[3], 200 + 2 * y + x) << x << "," << y;
        }
    }
}

TEST(Image, SavedBitmapLoadsBackPixelForPixel)
{
    TempFolder folder;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap32(2, 1));
    const std::uint8_t pixels[] = {10, 20, 30, 255, 40, 50, 60, 128};
    std::copy(std::begin(pixels), std::end(pixels), bitmap.Bits());
    ASSERT_TRUE(SaveBitmapAsPng(bitmap, folder.File("saved.png")));
    CImage image;
    ASSERT_EQ(image.Load(folder.File("saved.png")), S_OK);
    EXPECT_TRUE(image.HasAlphaChannel());
    EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), image.GetPixelAddress(0, 0)));
    EXPECT_FALSE(SaveBitmapAsPng(CBitmap(), folder.File("empty.png")));
}

}  // namespace
