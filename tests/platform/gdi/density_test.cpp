// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on bitmaps denser than the client pixels: where rectangles, text
// and pictures land, and which picture file is drawn on a dense screen.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/gdi/dc.h"
#include "platform/gdi/image.h"
#include "platform/gdi/picture_density.h"
#include "tests/platform/gdi/test_png.h"

namespace {

constexpr COLORREF kBackground = RGB(26, 54, 51);
constexpr COLORREF kInk = RGB(0, 255, 198);

// A memory context over a bitmap of w x h client pixels at dpi.
struct DenseCanvas {
    CBitmap bitmap;
    CDC dc;
    DenseCanvas(int w, int h, UINT dpi)
    {
        bitmap.CreateBitmapForDpi(w, h, dpi);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(CRect(0, 0, w, h), kBackground);
    }
    COLORREF Device(int x, int y) const
    {
        const std::uint8_t* p = bitmap.PixelAt(x, y);
        return RGB(p[2], p[1], p[0]);
    }
    // The device rows with any pixel not of the background.
    std::pair<int, int> InkedRows() const
    {
        int first = -1;
        int last = -1;
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                if (Device(x, y) != kBackground) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
            }
        }
        return {first, last};
    }
};

TEST(Density, RectanglesCoverTheirScaledPixelsAndNeighboursMeetWithoutGapOrOverlap)
{
    DenseCanvas canvas(10, 4, 144);
    ASSERT_EQ(canvas.bitmap.Width(), 15);
    ASSERT_EQ(canvas.bitmap.Height(), 6);
    CRect clip;
    canvas.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 10, 4));
    // Client columns 1 to 3 and 3 to 6 at 150 %: device 2..5 and 5..9.
    canvas.dc.FillSolidRect(CRect(1, 0, 3, 1), RGB(255, 0, 0));
    canvas.dc.FillSolidRect(CRect(3, 0, 6, 1), RGB(0, 0, 255));
    const COLORREF expected[] = {kBackground, kBackground, RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0),
        RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255), kBackground};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(canvas.Device(x, 1), expected[x]) << x;
    }
    EXPECT_EQ(canvas.Device(3, 2), kBackground);
    // Reading a client point reads its pixels, whatever the density.
    EXPECT_EQ(canvas.dc.GetPixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.dc.GetPixel(4, 0), RGB(0, 0, 255));
}

TEST(Density, TextIsLaidOutAtTheDensityButMeasuredInClientPixels)
{
    LOGFONTW lf;
    lf.lfHeight = 14;
    const std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    CFont font;
    font.CreateFontIndirect(&lf);
    std::pair<int, int> rows[2];
    CRect measured[2];
    int index = 0;
    for (const UINT dpi : {96u, 192u}) {
        DenseCanvas canvas(80, 20, dpi);
        canvas.dc.SelectObject(&font);
        canvas.dc.SetTextColor(kInk);
        canvas.dc.SetBkMode(TRANSPARENT);
        CRect box(0, 0, 80, 20);
        canvas.dc.DrawText(u"Fire Key", &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        rows[index] = canvas.InkedRows();
        measured[index] = CRect(0, 0, 1, 1);
        canvas.dc.DrawText(u"Fire Key", &measured[index], DT_SINGLELINE | DT_CALCRECT);
        ++index;
    }
    ASSERT_GE(rows[0].first, 0);
    const int single = rows[0].second - rows[0].first + 1;
    const int twice = rows[1].second - rows[1].first + 1;
    EXPECT_NEAR(twice, 2 * single, 3);
    EXPECT_NEAR(rows[1].first, 2 * rows[0].first, 3);
    EXPECT_EQ(measured[0], measured[1]);
}

struct PictureFiles {
    TempFolder folder;
    PictureFiles()
    {
        // The single picture red, its twice-as-dense copy blue.
        WriteTestPng(folder.Path() / "a.png", {TestPng::Type::Rgb, 2, 1, {255, 0, 0, 255, 0, 0}, {}, {}});
        std::vector<std::uint8_t> blue(24, 0);
        for (std::size_t i = 2; i < blue.size(); i += 3) {
            blue[i] = 255;
        }
        WriteTestPng(folder.Path() / "a@2x.png", {TestPng::Type::Rgb, 4, 2, blue, {}, {}});
    }
    std::u16string Path() const { return folder.File("a.png"); }
    std::optional<UINT> ChosenDpi(UINT screen) const
    {
        const auto chosen = DecodePictureForDpi(Path(), screen);
        return chosen ? std::optional<UINT>(chosen->dpi) : std::nullopt;
    }
};

// The look at a picture's header ahead of its decode never passes what the
// decode refuses for what it is (missing, not a regular file, too large, not a
// PNG, a side out of bounds), and a pipe does not hold it up.
TEST(Density, TheHeaderLookRefusesWhatCouldNotLoad)
{
    PictureFiles files;
    EXPECT_TRUE(PictureHeaderReads(files.Path()));

    const auto& folder = files.folder.Path();
    std::filesystem::create_directory(folder / "folder.png");
    ASSERT_EQ(::mkfifo((folder / "pipe.png").c_str(), 0600), 0);
    std::ofstream(folder / "text.png") << "not a picture";
    // A header whose width is 0, and a good header on a file too large to read.
    std::string header = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + std::string(8, '\0');
    std::ofstream(folder / "empty.png", std::ios::binary) << header;
    header[19] = header[23] = 1;
    std::ofstream(folder / "large.png", std::ios::binary) << header;
    std::filesystem::resize_file(folder / "large.png", kMaxPictureFileBytes + 1);

    for (const char* name : {"missing.png", "folder.png", "pipe.png", "text.png", "empty.png", "large.png"}) {
        EXPECT_FALSE(PictureHeaderReads(files.folder.File(name))) << name;
        EXPECT_FALSE(DecodePictureForDpi(files.folder.File(name), 96)) << name;
    }
}

TEST(Density, TheTwiceAsDenseCopyIsDrawnAbove100PercentOnlyWhenItIsGood)
{
    {
        PictureFiles files;
        EXPECT_EQ(files.ChosenDpi(96), 96u);
        EXPECT_EQ(files.ChosenDpi(144), 192u);
        EXPECT_EQ(files.ChosenDpi(192), 192u);
    }
    {
        PictureFiles files;
        std::filesystem::remove(files.folder.Path() / "a@2x.png");
        EXPECT_EQ(files.ChosenDpi(192), 96u);
    }
    {
        PictureFiles files;  // not twice the size
        WriteTestPng(files.folder.Path() / "a@2x.png", {TestPng::Type::Rgb, 3, 2, std::vector<std::uint8_t>(18, 9), {}, {}});
        EXPECT_EQ(files.ChosenDpi(192), 96u);
    }
    {
        PictureFiles files;  // cut short
        std::filesystem::resize_file(files.folder.Path() / "a@2x.png", 40);
        EXPECT_EQ(files.ChosenDpi(192), 96u);
    }
    {
        PictureFiles files;  // the picture itself missing: nothing, at every density
        std::filesystem::remove(files.folder.Path() / "a.png");
        EXPECT_EQ(files.ChosenDpi(96), std::nullopt);
        EXPECT_EQ(files.ChosenDpi(192), std::nullopt);
        CImage image;
        EXPECT_NE(image.Load(files.Path(), 144), S_OK);
    }
    {
        PictureFiles files;  // not a PNG at all, beside a good copy
        std::ofstream(files.folder.Path() / "a.png", std::ios::trunc) << "not a picture";
        EXPECT_EQ(files.ChosenDpi(192), std::nullopt);
    }
}

TEST(Density, APictureCoversItsClientSizeFromWhicheverFileDrawsIt)
{
    PictureFiles files;
    for (const UINT dpi : {96u, 144u, 192u}) {
        DenseCanvas canvas(4, 2, dpi);
        CImage image;
        ASSERT_EQ(image.Load(files.Path(), dpi), S_OK);
        EXPECT_EQ(image.GetLogicalWidth(), 2);
        EXPECT_EQ(image.GetLogicalHeight(), 1);
        image.StretchBlt(&canvas.dc, 1, 0, image.GetLogicalWidth(), image.GetLogicalHeight());
        const COLORREF colour = dpi == 96 ? RGB(255, 0, 0) : RGB(0, 0, 255);
        EXPECT_EQ(canvas.dc.GetPixel(1, 0), colour) << dpi;
        EXPECT_EQ(canvas.dc.GetPixel(2, 0), colour) << dpi;
        EXPECT_EQ(canvas.dc.GetPixel(0, 0), kBackground) << dpi;
        EXPECT_EQ(canvas.dc.GetPixel(3, 0), kBackground) << dpi;
        EXPECT_EQ(canvas.dc.GetPixel(1, 1), kBackground) << dpi;
    }
}

TEST(Density, ASinglePictureIsEnlargedSmoothlyNotByRepeatingPixels)
{
    TempFolder folder;
    // Black and white side by side: enlarged smoothly, grey appears between.
    WriteTestPng(folder.Path() / "b.png", {TestPng::Type::Rgb, 2, 1, {0, 0, 0, 255, 255, 255}, {}, {}});
    DenseCanvas canvas(2, 1, 192);
    CImage image;
    ASSERT_EQ(image.Load(folder.File("b.png"), 192), S_OK);
    EXPECT_EQ(image.GetDpi(), 96u);
    image.StretchBlt(&canvas.dc, 0, 0, 2, 1);
    bool grey = false;
    for (int x = 0; x < 4; ++x) {
        const int red = GetRValue(canvas.Device(x, 0));
        grey = grey || (red > 20 && red < 235);
    }
    EXPECT_TRUE(grey);
    // The canvas of a window, likewise, is made at the window's density.
    CImage again;
    again.Load(folder.File("b.png"), 144);
    const CBitmap canvasBitmap = again.Detach(144);
    EXPECT_EQ(canvasBitmap.Width(), 3);
    EXPECT_EQ(canvasBitmap.Dpi(), 144u);
}

}  // namespace
