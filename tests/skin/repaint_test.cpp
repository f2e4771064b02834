// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "skin/colors.h"
#include "skin/repaint.h"
#include "tests/platform/gdi/test_png.h"
#include "tests/skin/recording_boxes.h"

namespace {

constexpr COLORREF kSkin = RGB(26, 54, 51);
constexpr COLORREF kButton = RGB(90, 10, 10);

// Stands in for a window: a client surface handed out as a device context.
class FakeWindow {
public:
    FakeWindow(int w, int h)
    {
        m_surface.CreateBitmap32(w, h);
    }
    void GetClientRect(CRect* rect) const { *rect = CRect(0, 0, m_surface.Width(), m_surface.Height()); }
    HWND GetSafeHwnd() const { return reinterpret_cast<HWND>(0x77); }
    CDC* GetDC()
    {
        ++gets;
        m_dc = CDC::ForSurface(m_surface);
        return m_dc.get();
    }
    int ReleaseDC(CDC* dc)
    {
        EXPECT_EQ(dc, m_dc.get());
        ++releases;
        m_dc.reset();
        return 1;
    }
    COLORREF Pixel(int x, int y) const
    {
        const std::uint8_t* p = m_surface.PixelAt(x, y);
        return RGB(p[2], p[1], p[0]);
    }
    int gets = 0;
    int releases = 0;

private:
    CBitmap m_surface;
    std::unique_ptr<CDC> m_dc;
};

class RepaintTest : public ::testing::Test {
protected:
    RepaintTest()
    {
        canvas.CreateBitmap32(120, 40);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&canvas);
        dc.FillSolidRect(CRect(0, 0, 120, 40), kSkin);
        std::vector<std::uint8_t> box(100 * 30 * 3);
        for (std::size_t i = 0; i < box.size(); i += 3) {
            box[i] = GetRValue(kButton);
            box[i + 1] = GetGValue(kButton);
            box[i + 2] = GetBValue(kButton);
        }
        WriteTestPng(folder.Path() / "DropdownBox-over.png", {TestPng::Type::Rgb, 100, 30, box, {}, {}});
        font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, u"Arial");
    }
    std::u16string Folder() const { return folder.Path().u16string(); }

    TempFolder folder;
    ScopedRecordingBoxes boxes;
    CBitmap canvas;
    CFont font;
};

TEST_F(RepaintTest, PaintsPicturesAndLabelsIntoTheCanvasAndShowsIt)
{
    FakeWindow window(120, 40);
    const CRect box(10, 5, 110, 35);
    const SkinPicture pictures[] = {
        {u"/DropdownBox-over.png", box.TopLeft(), SkinLabel{box, u"WWWWWWWWWWWWWWWWWWWW", DT_LEFT}},
    };
    RepaintCanvas(window, &canvas, Folder(), pictures, &font);
    EXPECT_EQ(window.gets, 1);
    EXPECT_EQ(window.releases, 1);
    EXPECT_TRUE(boxes.boxes.empty());

    // The canvas keeps the picture; the label stops 28 pixels short of the box's right edge.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&canvas);
    bool textInside = false;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            textInside = textInside || c == kSkinTextColor;
            if (x >= box.right - kSelectorArrowWidth) {
                EXPECT_EQ(c, kButton) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(textInside);
    EXPECT_EQ(dc.GetPixel(5, 5), kSkin);
    // The window shows exactly the canvas.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            ASSERT_EQ(window.Pixel(x, y), dc.GetPixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(RepaintTest, MissingPictureIsReportedAndTheRestIsStillPainted)
{
    FakeWindow window(120, 40);
    const SkinPicture pictures[] = {
        {u"/Save-over.png", CPoint(0, 0), std::nullopt},
        {u"/DropdownBox-over.png", CPoint(10, 5), std::nullopt},
    };
    RepaintCanvas(window, &canvas, Folder(), pictures, nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].owner, window.GetSafeHwnd());
    EXPECT_EQ(window.Pixel(10, 5), kButton);
}

TEST_F(RepaintTest, ALabelWithoutAPictureIsDrawnOverWhatIsThere)
{
    FakeWindow window(120, 40);
    const SkinPicture pictures[] = {LabelOnly(SkinLabel{CRect(0, 0, 120, 40), u"WWWW", DT_LEFT})};
    RepaintCanvas(window, &canvas, Folder(), pictures, &font);
    EXPECT_TRUE(boxes.boxes.empty());
    int text = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF c = window.Pixel(x, y);
            EXPECT_TRUE(c == kSkin || x < 60) << x << "," << y;
            text += c == kSkinTextColor ? 1 : 0;
        }
    }
    EXPECT_GT(text, 0);
}

TEST_F(RepaintTest, WithoutACanvasNothingIsPaintedButTheCopyStillHappens)
{
    FakeWindow window(120, 40);
    const SkinPicture pictures[] = {{u"/Missing.png", CPoint(0, 0), std::nullopt}};
    RepaintCanvas(window, nullptr, Folder(), pictures, &font);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(window.releases, 1);
    EXPECT_EQ(window.Pixel(60, 20), RGB(0, 0, 0));
}

TEST_F(RepaintTest, CentredLabelSitsInTheBoxWithoutItsArrow)
{
    FakeWindow window(120, 40);
    const CRect box(0, 0, 120, 40);
    const SkinPicture pictures[] = {{u"/DropdownBox-over.png", CPoint(500, 500), SkinLabel{box, u"800", DT_CENTER}}};
    RepaintCanvas(window, &canvas, Folder(), pictures, &font);
    int left = 120;
    int right = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (window.Pixel(x, y) != kSkin) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right + 1) / 2, (120 - kSelectorArrowWidth) / 2, 2);
}

TEST_F(RepaintTest, ErasingCopiesTheCanvasOrTheFreshBuffer)
{
    FakeWindow window(120, 40);
    CDC* dc = window.GetDC();
    dc->FillSolidRect(CRect(0, 0, 120, 40), RGB(255, 255, 255));
    EraseBackgroundWithCanvas(dc, CRect(0, 0, 120, 40), &canvas);
    EXPECT_EQ(window.Pixel(0, 0), kSkin);
    EXPECT_EQ(window.Pixel(119, 39), kSkin);
    EraseBackgroundWithCanvas(dc, CRect(0, 0, 120, 40), nullptr);
    EXPECT_EQ(window.Pixel(60, 20), RGB(0, 0, 0));
    window.ReleaseDC(dc);
}

}  // namespace
