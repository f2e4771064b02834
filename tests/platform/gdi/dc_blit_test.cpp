// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/gdi/dc.h"

namespace {

using Bgra = std::array<std::uint8_t, 4>;

void Fill(CBitmap& bitmap, Bgra value)
{
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::copy(value.begin(), value.end(), bitmap.PixelAt(x, y));
        }
    }
}

Bgra At(const CBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.PixelAt(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void Put(CBitmap& bitmap, int x, int y, Bgra value)
{
    std::copy(value.begin(), value.end(), bitmap.PixelAt(x, y));
}

// A memory context with a w x h bitmap of one colour selected.
struct MemoryCanvas {
    CBitmap bitmap;
    CDC dc;
    MemoryCanvas(int w, int h, Bgra value)
    {
        bitmap.CreateBitmap32(w, h);
        Fill(bitmap, value);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
    }
};

constexpr Bgra kBlack{0, 0, 0, 255};
constexpr Bgra kWhite{255, 255, 255, 255};
constexpr Bgra kRed{0, 0, 255, 255};

TEST(Bitmap, RefusesSizesThatCannotBeASurface)
{
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateBitmap32(0, 10));
    EXPECT_FALSE(bitmap.CreateBitmap32(10, -1));
    EXPECT_FALSE(bitmap.CreateBitmap32(1 << 20, 1 << 20));
    EXPECT_TRUE(bitmap.IsNull());
    ASSERT_TRUE(bitmap.CreateBitmap32(3, 2));
    EXPECT_EQ(bitmap.Pitch(), 12);
    EXPECT_EQ(bitmap.Bits()[0], 0);
}

// A surface's memory comes from the C allocator, which may hand back memory
// an earlier surface drew into: a new surface still reads zero everywhere,
// small or window-sized, made afresh or over a surface that was drawn on.
TEST(Bitmap, ANewSurfaceIsZeroEvenInMemoryAnEarlierSurfaceFilled)
{
    const auto allZero = [](const CBitmap& bitmap) {
        const std::uint8_t* bits = bitmap.Bits();
        const std::size_t size = static_cast<std::size_t>(bitmap.Pitch()) * bitmap.Height();
        return bits != nullptr && std::all_of(bits, bits + size, [](std::uint8_t b) { return b == 0; });
    };
    for (const auto& [width, height] : {std::pair{7, 5}, std::pair{760, 647}, std::pair{1520, 1294}}) {
        for (int round = 0; round < 3; ++round) {
            CBitmap bitmap;
            ASSERT_TRUE(bitmap.CreateBitmap32(width, height));
            EXPECT_TRUE(allZero(bitmap)) << width << " x " << height << ", round " << round;
            std::memset(bitmap.Bits(), 0xA5, static_cast<std::size_t>(bitmap.Pitch()) * bitmap.Height());
            ASSERT_TRUE(bitmap.CreateBitmap32(width, height));
            EXPECT_TRUE(allZero(bitmap)) << width << " x " << height << " made again over its drawn surface";
            std::memset(bitmap.Bits(), 0x5A, static_cast<std::size_t>(bitmap.Pitch()) * bitmap.Height());
        }
    }
}

TEST(DeviceContext, SelectObjectHandsBackWhatWasSelectedBefore)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* stock = dc.GetCurrentBitmap();
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->Width(), 1);
    CBitmap a;
    CBitmap b;
    a.CreateBitmap32(4, 4);
    b.CreateBitmap32(4, 4);
    EXPECT_EQ(dc.SelectObject(&a), stock);
    EXPECT_EQ(dc.SelectObject(&b), &a);
    EXPECT_EQ(dc.SelectObject(stock), &b);

    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, u"Arial");
    CFont* stockFont = dc.SelectObject(&font);
    ASSERT_NE(stockFont, nullptr);
    EXPECT_EQ(dc.SelectObject(stockFont), &font);
}

TEST(DeviceContext, WindowSurfaceDrawsIntoItsBitmapAndKeepsIt)
{
    CBitmap surface;
    surface.CreateBitmap32(8, 8);
    auto dc = CDC::ForSurface(surface);
    CBitmap other;
    other.CreateBitmap32(2, 2);
    EXPECT_EQ(dc->SelectObject(&other), nullptr);
    dc->FillSolidRect(CRect(2, 2, 4, 4), RGB(10, 20, 30));
    EXPECT_EQ((At(surface, 2, 2)), (Bgra{30, 20, 10, 255}));
    EXPECT_EQ((At(surface, 4, 4)), (Bgra{0, 0, 0, 0}));
}

TEST(DeviceContext, BitBltCopiesExactlyTheRectangle)
{
    MemoryCanvas source(4, 4, kRed);
    Put(source.bitmap, 1, 1, kWhite);
    MemoryCanvas target(6, 6, kBlack);
    ASSERT_TRUE(target.dc.BitBlt(2, 2, 3, 3, &source.dc, 1, 1, SRCCOPY));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 2 && y < 5;
            const Bgra expected = !inside ? kBlack : (x == 2 && y == 2) ? kWhite : kRed;
            EXPECT_EQ(At(target.bitmap, x, y), expected) << x << "," << y;
        }
    }
}

TEST(DeviceContext, BitBltFollowsWindowOriginsAndClip)
{
    MemoryCanvas source(4, 4, kRed);
    MemoryCanvas target(8, 8, kBlack);
    target.dc.SetWindowOrg(10, 10);  // logical (10, 10) is device (0, 0)
    target.dc.IntersectClipRect(CRect(11, 11, 13, 20));
    CRect box;
    EXPECT_EQ(target.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(11, 11, 13, 18));
    target.dc.BitBlt(10, 10, 4, 4, &source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(At(target.bitmap, 0, 0), kBlack);
    EXPECT_EQ(At(target.bitmap, 1, 1), kRed);
    EXPECT_EQ(At(target.bitmap, 2, 3), kRed);
    EXPECT_EQ(At(target.bitmap, 3, 1), kBlack);  // right of the clip

    // Only the part of the source that exists is copied.
    MemoryCanvas wide(8, 8, kBlack);
    wide.dc.BitBlt(0, 0, 8, 8, &source.dc, 2, 2, SRCCOPY);
    EXPECT_EQ(At(wide.bitmap, 1, 1), kRed);
    EXPECT_EQ(At(wide.bitmap, 2, 2), kBlack);
}

TEST(DeviceContext, StretchBltScalesByNearestPixel)
{
    MemoryCanvas source(2, 1, kRed);
    Put(source.bitmap, 1, 0, kWhite);
    MemoryCanvas target(4, 2, kBlack);
    ASSERT_TRUE(target.dc.StretchBlt(0, 0, 4, 2, &source.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(At(target.bitmap, 1, 1), kRed);
    EXPECT_EQ(At(target.bitmap, 2, 0), kWhite);
    EXPECT_EQ(At(target.bitmap, 3, 1), kWhite);
    EXPECT_FALSE(target.dc.StretchBlt(0, 0, 4, 2, &source.dc, 0, 0, 2, 1, 0x00EE0086));
}

TEST(DeviceContext, AlphaBlendIsSourceOverWithPremultipliedSource)
{
    MemoryCanvas source(3, 1, {0, 0, 0, 0});
    Put(source.bitmap, 0, 0, {100, 50, 25, 128});   // premultiplied half-transparent
    Put(source.bitmap, 1, 0, {10, 20, 30, 255});    // opaque: replaces
    Put(source.bitmap, 2, 0, {0, 0, 0, 0});         // transparent: leaves
    MemoryCanvas target(5, 1, {200, 200, 200, 255});
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    ASSERT_TRUE(target.dc.AlphaBlend(1, 0, 3, 1, &source.dc, 0, 0, 3, 1, blend));
    // c = s + d * (255 - a) / 255, rounded: 100 + 200 * 127 / 255 = 200
    EXPECT_EQ((At(target.bitmap, 1, 0)), (Bgra{200, 150, 125, 255}));
    EXPECT_EQ((At(target.bitmap, 2, 0)), (Bgra{10, 20, 30, 255}));
    EXPECT_EQ((At(target.bitmap, 3, 0)), (Bgra{200, 200, 200, 255}));
    EXPECT_EQ((At(target.bitmap, 0, 0)), (Bgra{200, 200, 200, 255}));
    EXPECT_EQ((At(target.bitmap, 4, 0)), (Bgra{200, 200, 200, 255}));
}

TEST(DeviceContext, AlphaBlendRefusesSourceOutsideTheSource)
{
    MemoryCanvas source(2, 2, kRed);
    MemoryCanvas target(4, 4, kBlack);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    EXPECT_FALSE(target.dc.AlphaBlend(0, 0, 3, 3, &source.dc, 0, 0, 3, 3, blend));
    EXPECT_EQ(At(target.bitmap, 0, 0), kBlack);
}

TEST(DeviceContext, ConstantAlphaWeighsAnOpaqueSource)
{
    MemoryCanvas source(1, 1, {255, 255, 255, 255});
    MemoryCanvas target(1, 1, {0, 0, 0, 255});
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 51;  // 20 %
    ASSERT_TRUE(target.dc.AlphaBlend(0, 0, 1, 1, &source.dc, 0, 0, 1, 1, blend));
    EXPECT_EQ((At(target.bitmap, 0, 0)), (Bgra{51, 51, 51, 255}));
}

TEST(DeviceContext, NothingDrawsIntoAContextWithoutPixels)
{
    CDC none;
    MemoryCanvas source(2, 2, kRed);
    EXPECT_FALSE(none.BitBlt(0, 0, 2, 2, &source.dc, 0, 0, SRCCOPY));
    CRect box(1, 2, 3, 4);
    EXPECT_EQ(none.GetClipBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectNull());
}

}  // namespace
