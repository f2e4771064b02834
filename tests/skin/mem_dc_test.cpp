// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "skin/mem_dc.h"

namespace {

constexpr COLORREF kScreen = RGB(1, 2, 3);
constexpr COLORREF kPaint = RGB(200, 100, 50);

struct Window {
    CBitmap surface;
    std::unique_ptr<CDC> dc;
    Window(int w, int h)
    {
        surface.CreateBitmap32(w, h);
        dc = CDC::ForSurface(surface);
        dc->FillSolidRect(CRect(0, 0, w, h), kScreen);
    }
    int Painted() const
    {
        int count = 0;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                count += dc->GetPixel(x, y) == kPaint ? 1 : 0;
            }
        }
        return count;
    }
};

TEST(MemDC, AllZeroRectangleCopiesExactlyTheClipBox)
{
    Window window(20, 16);
    window.dc->IntersectClipRect(CRect(4, 3, 12, 9));
    {
        CMemDC memDC(window.dc.get());
        CRect box;
        memDC.GetClipBox(&box);
        EXPECT_EQ(box, CRect(4, 3, 12, 9));  // drawn in the window's coordinates
        memDC.FillSolidRect(CRect(0, 0, 20, 16), kPaint);
        EXPECT_EQ(window.Painted(), 0);  // nothing reaches the window before the end
    }
    window.dc->ResetClip();
    EXPECT_EQ(window.Painted(), 8 * 6);
    EXPECT_EQ(window.dc->GetPixel(4, 3), kPaint);
    EXPECT_EQ(window.dc->GetPixel(11, 8), kPaint);
    EXPECT_EQ(window.dc->GetPixel(12, 8), kScreen);
    EXPECT_EQ(window.dc->GetPixel(4, 9), kScreen);
}

TEST(MemDC, GivenRectangleIsDrawnWithTheTargetsCoordinates)
{
    Window window(10, 10);
    {
        CMemDC memDC(window.dc.get(), CRect(2, 2, 6, 5));
        memDC.FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 0, 0));
        memDC.FillSolidRect(CRect(5, 4, 6, 5), kPaint);  // the rectangle's last pixel
    }
    EXPECT_EQ(window.Painted(), 1);
    EXPECT_EQ(window.dc->GetPixel(5, 4), kPaint);
    EXPECT_EQ(window.dc->GetPixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(window.dc->GetPixel(6, 4), kScreen);
}

TEST(MemDC, SelectedCanvasIsWhatReachesTheTarget)
{
    Window window(4, 4);
    CBitmap canvas;
    canvas.CreateBitmap32(4, 4);
    {
        CMemDC memDC(window.dc.get(), CRect(0, 0, 4, 4));
        CBitmap* buffer = memDC.SelectObject(&canvas);
        ASSERT_NE(buffer, nullptr);
        memDC.FillSolidRect(CRect(1, 1, 3, 3), kPaint);
    }
    EXPECT_EQ(window.Painted(), 4);
    EXPECT_EQ(canvas.PixelAt(1, 1)[0], GetBValue(kPaint));  // the canvas keeps it
}

TEST(MemDC, AGivenCanvasIsDrawnIntoDirectlyAndAnEmptyOneIsNot)
{
    Window window(4, 4);
    CBitmap canvas;
    canvas.CreateBitmap32(4, 4);
    {
        CMemDC memDC(window.dc.get(), CRect(0, 0, 4, 4), &canvas);
        EXPECT_EQ(memDC.GetCurrentBitmap(), &canvas);
        memDC.FillSolidRect(CRect(0, 0, 2, 1), kPaint);
    }
    EXPECT_EQ(window.Painted(), 2);
    EXPECT_EQ(canvas.PixelAt(1, 0)[2], GetRValue(kPaint));
    CBitmap empty;
    {
        CMemDC memDC(window.dc.get(), CRect(0, 0, 4, 4), &empty);
        EXPECT_NE(memDC.GetCurrentBitmap(), &empty);
    }
    // The fresh buffer is what reached the window.
    EXPECT_EQ(window.Painted(), 0);
}

// Without a target there is nothing to buffer for: no context, no pixels,
// and drawing into it is a harmless no-op rather than a crash.
TEST(MemDC, NoTargetNoCopy)
{
    CMemDC memDC(nullptr, CRect(0, 0, 4, 4));
    memDC.FillSolidRect(CRect(0, 0, 4, 4), kPaint);
    EXPECT_TRUE(memDC.IsNull());
    CRect box(1, 1, 2, 2);
    memDC.GetClipBox(&box);
    EXPECT_TRUE(box.IsRectEmpty());
    EXPECT_EQ(memDC.GetPixel(1, 1), 0xFFFFFFFFu);
}

}  // namespace
