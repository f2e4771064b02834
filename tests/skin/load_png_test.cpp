// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "platform/gdi/dc.h"
#include "platform/gdi/image.h"
#include "platform/gdi/picture_file.h"
#include "platform/module.h"
#include "skin/canvas.h"
#include "skin/load_png.h"
#include "tests/platform/gdi/test_png.h"
#include "tests/skin/recording_boxes.h"

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

// What a planted file in a picture's place may do: nothing but fail to load.
class HostilePictureTest : public LoadPngTest {
protected:
    // Loads path as the main window's canvas on another thread. A load still
    // blocked after a few seconds on a pipe is freed by opening the pipe's
    // other end, so that the test fails instead of hanging.
    bool LoadsWithoutBlocking(const std::u16string& path)
    {
        auto load = std::async(std::launch::async, [path] { return LoadCanvas(path) != nullptr; });
        if (load.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
            EXPECT_FALSE(load.get());
            return true;
        }
        const int writer = ::open(std::filesystem::path(path).c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
        load.wait();
        return false;
    }
};

TEST_F(HostilePictureTest, APipeOrAFolderInThePicturesPlaceFailsAtOnce)
{
    const std::filesystem::path pipe = folder.Path() / "main.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(LoadsWithoutBlocking(pipe.u16string())) << "loading blocked on a named pipe";
    std::filesystem::create_directory(folder.Path() / "KeySet.png");
    EXPECT_TRUE(LoadsWithoutBlocking(folder.File("KeySet.png")));
    Target target(2, 2, RGB(9, 9, 9));
    EXPECT_EQ(LoadPng(kOwner, &target.dc, folder.File("KeySet.png"), 0, 0), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, u"LoadPng---Load image failed.");
}

TEST_F(HostilePictureTest, OnlyPngIsDecodedWhateverTheName)
{
    // A red 2 x 2 picture in the portable pixmap format, named as the skin's.
    std::string ppm = "P6\n2 2\n255\n";
    for (int pixel = 0; pixel < 4; ++pixel) {
        ppm += std::string("\xff\x00\x00", 3);
    }
    std::ofstream(folder.Path() / "main.png", std::ios::binary) << ppm;
    EXPECT_EQ(LoadCanvas(folder.File("main.png")), nullptr);
    Target target(2, 2, RGB(9, 9, 9));
    EXPECT_EQ(LoadPng(kOwner, &target.dc, folder.File("main.png"), 0, 0), 0);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(HostilePictureTest, AFileLargerThanAnyPictureIsNotRead)
{
    const auto path = Write("huge.png", {TestPng::Type::Rgb, 1, 1, {1, 2, 3}, {}, {}});
    EXPECT_NE(LoadCanvas(path), nullptr);
    std::filesystem::resize_file(std::filesystem::path(path), kMaxPictureFileBytes + 1);
    EXPECT_EQ(LoadCanvas(path), nullptr);
}

}  // namespace
