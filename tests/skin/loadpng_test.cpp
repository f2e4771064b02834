#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/image.h"
#include "platform/module.h"
#include "skin/canvas.h"
#include "skin/loadpng.h"
#include "tests/platform/gdi/testpng.h"
#include "tests/skin/recordingboxes.h"

namespace {

HWND const kOwner = reinterpret_cast<HWND>(0x1234);

// A memory context over a w x h bitmap painted in one colour.
struct Target {
    CBitmap bitmap;
    CDC dc;
    Target(int w, int h, COLORREF color)
    {
        bitmap.CreateBitmap32(w, h);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(CRect(0, 0, w, h), color);
    }
};

class LoadPngTest : public ::testing::Test {
protected:
    std::u16string Write(const char* name, const TestPng& png)
    {
        EXPECT_TRUE(WriteTestPng(folder.Path() / name, png));
        return folder.File(name);
    }
    TempFolder folder;
    ScopedRecordingBoxes boxes;
};

TEST_F(LoadPngTest, PremultipliesByAlphaRoundingDown)
{
    // Written as r, g, b, a: blue 200, green 100, red 50, alpha 128.
    const auto path = Write("p.png", {TestPng::Type::Rgba, 3, 1,
        {50, 100, 200, 128, 7, 8, 9, 255, 255, 255, 255, 0}, {}, {}});
    CImage image;
    ASSERT_EQ(image.Load(path), S_OK);
    PremultiplyAlpha(image);
    const std::uint8_t* p = image.GetPixelAddress(0, 0);
    EXPECT_EQ(p[0], 100);
    EXPECT_EQ(p[1], 50);
    EXPECT_EQ(p[2], 25);
    EXPECT_EQ(p[3], 128);
    EXPECT_EQ(image.GetPixel(1, 0), RGB(7, 8, 9));  // alpha 255 leaves it
    EXPECT_EQ(image.GetPixel(2, 0), RGB(0, 0, 0));  // alpha 0 makes it black
}

TEST_F(LoadPngTest, BlendsAPictureWithTransparencyAtItsPlace)
{
    const auto path = Write("b.png", {TestPng::Type::Rgba, 2, 1, {50, 100, 200, 128, 0, 0, 0, 0}, {}, {}});
    Target target(6, 4, RGB(200, 200, 200));
    EXPECT_EQ(LoadPng(kOwner, &target.dc, path, 3, 2), 1);
    // 100 + 200 * 127 / 255 (rounded) = 200 for blue, 150 green, 125 red.
    EXPECT_EQ(target.dc.GetPixel(3, 2), RGB(125, 150, 200));
    EXPECT_EQ(target.dc.GetPixel(4, 2), RGB(200, 200, 200));
    EXPECT_EQ(target.dc.GetPixel(2, 2), RGB(200, 200, 200));
    EXPECT_EQ(target.dc.GetPixel(3, 3), RGB(200, 200, 200));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LoadPngTest, CopiesOpaqueAndPalettePicturesAsTheyAre)
{
    const auto opaque = Write("o.png", {TestPng::Type::Rgb, 2, 1, {10, 20, 30, 40, 50, 60}, {}, {}});
    const auto palette = Write("p.png", {TestPng::Type::Palette, 2, 1, {1, 0}, {1, 2, 3, 250, 240, 230}, {}});
    Target target(4, 2, RGB(0, 0, 0));
    EXPECT_EQ(LoadPng(kOwner, &target.dc, opaque, 0, 0), 1);
    EXPECT_EQ(LoadPng(kOwner, &target.dc, palette, 2, 1), 1);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(target.dc.GetPixel(1, 0), RGB(40, 50, 60));
    EXPECT_EQ(target.dc.GetPixel(2, 1), RGB(250, 240, 230));
    EXPECT_EQ(target.dc.GetPixel(3, 1), RGB(1, 2, 3));
    EXPECT_EQ(target.dc.GetPixel(2, 0), RGB(0, 0, 0));
}

TEST_F(LoadPngTest, MissingPictureTellsTheOwnerEachTimeAndDrawsNothing)
{
    Target target(2, 2, RGB(9, 9, 9));
    const std::u16string path = folder.File("Save-over.png");
    EXPECT_EQ(LoadPng(kOwner, &target.dc, path, 0, 0), 0);
    EXPECT_EQ(LoadPng(kOwner, &target.dc, path, 0, 0), 0);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].owner, kOwner);
    EXPECT_EQ(boxes.boxes[0].text, u"LoadPng---Load image failed.");
    EXPECT_EQ(boxes.boxes[0].caption, ApplicationName());
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(9, 9, 9));
}

TEST_F(LoadPngTest, WithoutATargetNothingIsLoadedOrShown)
{
    EXPECT_EQ(LoadPng(kOwner, nullptr, folder.File("none.png"), 0, 0), 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LoadPngTest, CanvasKeepsStraightAlphaAndIsNullWhenMissing)
{
    const auto path = Write("main.png", {TestPng::Type::Rgba, 1, 2, {50, 100, 200, 128, 1, 2, 3, 255}, {}, {}});
    const std::unique_ptr<CBitmap> canvas = LoadCanvas(path);
    ASSERT_NE(canvas, nullptr);
    const std::uint8_t* top = canvas->PixelAt(0, 0);
    EXPECT_EQ(top[0], 200);
    EXPECT_EQ(top[3], 128);
    EXPECT_EQ(canvas->PixelAt(0, 1)[2], 1);
    EXPECT_EQ(LoadCanvas(folder.File("missing.png")), nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
