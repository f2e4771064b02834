// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>

#include "platform/gdi/dc.h"
#include "skin/colors.h"
#include "skin/ctl_color_brush.h"
#include "skin/hover_flags.h"

namespace {

constexpr std::array<ImageButton, 3> kButtons = {
    ImageButton{CRect(0, 0, 10, 10), u"/Save-normal.png", u"/Save-over.png"},
    ImageButton{CRect(10, 0, 20, 10), u"/Exit-normal.png", u"/Exit-over.png"},
    ImageButton{CRect(5, 5, 15, 15), u"/Close-normal.png", u"/Close-over.png"},
};

TEST(HoverFlags, HitTestTakesTheFirstButtonInTableOrder)
{
    EXPECT_EQ(HitTestButtons(kButtons, CPoint(9, 9)), 0u);
    EXPECT_EQ(HitTestButtons(kButtons, CPoint(10, 9)), 1u);
    EXPECT_EQ(HitTestButtons(kButtons, CPoint(10, 10)), 2u);
    EXPECT_EQ(HitTestButtons(kButtons, CPoint(15, 15)), std::nullopt);
    EXPECT_EQ(kButtons[1].Over().file, u"/Exit-over.png");
    EXPECT_EQ(kButtons[1].Normal().topLeft, CPoint(10, 0));
}

TEST(HoverFlags, AreClearedOneByOneOrAllAtOnce)
{
    CHoverFlags flags(3);
    EXPECT_FALSE(flags.Any());
    flags.Set(0);
    flags.Set(2);
    flags.Set(2);
    flags.Set(7);  // no such button: ignored
    EXPECT_FALSE(flags.IsSet(7));
    EXPECT_TRUE(flags.IsSet(2));
    flags.Clear(2);
    EXPECT_FALSE(flags.IsSet(2));
    EXPECT_TRUE(flags.Any());
    flags.Set(1);
    EXPECT_EQ(flags.TakeAll(), (std::vector<std::size_t>{0, 1}));
    EXPECT_FALSE(flags.Any());
    EXPECT_FALSE(flags.IsSet(0));
}

TEST(CtlColorBrush, EachAnswerReplacesTheBrushBeforeAndTheLastGoesWithTheWindow)
{
    const int before = CBrush::LiveCount();
    {
        CCtlColorBrush brush;
        EXPECT_EQ(brush.Current(), nullptr);
        EXPECT_EQ(CBrush::LiveCount(), before);  // nothing until first needed
        const HBRUSH first = brush.Renew(kListBackColor);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(CBrush::FromHandle(first)->GetColor(), kListBackColor);
        EXPECT_EQ(CBrush::LiveCount(), before + 1);
        for (int i = 0; i < 5; ++i) {
            brush.Renew(kListBackColor);
        }
        EXPECT_EQ(CBrush::LiveCount(), before + 1);
    }
    EXPECT_EQ(CBrush::LiveCount(), before);
}

TEST(CtlColorBrush, SkinnedControlGetsTheSkinColoursAndFont)
{
    CBitmap bitmap;
    bitmap.CreateBitmap32(1, 1);
    auto dc = CDC::ForSurface(bitmap);
    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, u"Arial");
    CCtlColorBrush brush;
    const HBRUSH answer = ColorSkinnedControl(dc.get(), &font, brush);
    EXPECT_EQ(dc->GetTextColor(), RGB(0x00, 0xFF, 0xC6));
    EXPECT_EQ(dc->GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc->GetCurrentFont(), &font);
    EXPECT_EQ(CBrush::FromHandle(answer)->GetColor(), RGB(0x1A, 0x36, 0x33));
}

}  // namespace
