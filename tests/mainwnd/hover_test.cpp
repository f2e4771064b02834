// SPDX-License-Identifier: GPL-3.0-or-later
// Hover pictures in the running window: the window's own buttons and the
// shown page's elements answer a resting pointer, a hidden page's never, and
// the flags of elements of different owners come back in the one order.

#include <gtest/gtest.h>

#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "tests/mainwnd/vantor_dlg_probe.h"
#include "tests/support/whole_program.h"

namespace {

using HoverTest = WholeProgramTest;
namespace hover = layout::hover;

CPoint CentreOf(const CRect& rect)
{
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The pointer rests at the point long enough for a hover report.
void Rest(CVantorDlg& dlg, CPoint point)
{
    wndtest::MouseMove(dlg, point);
    wndtest::AdvanceTime(20);
}

// Left of the key page's boxes, below the tabs: no element of any owner.
constexpr CPoint kNowhere{20, 300};

TEST_F(HoverTest, OnlyTheShownPageAnswersAndItsFlagsAreForgottenWithIt)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const CVantorDlgProbe probe(dlg);
        const CPoint stage = CentreOf(layout::kStageBoxes[0].box);
        const CPoint slot = CentreOf(layout::kSlotBoxes[1][2].box);
        const CPoint defaultButton = CentreOf(layout::kDefault.rect);

        Rest(dlg, stage);
        EXPECT_FALSE(probe.HoverFlag(hover::Dpi(hover::dpi::Stage(0))));
        Rest(dlg, slot);
        EXPECT_TRUE(probe.HoverFlag(hover::Keys(hover::keys::Slot(1, 2))));

        wndtest::Click(dlg, CentreOf(layout::kTabs[1].rect));
        ASSERT_EQ(probe.CurrentPage(), layout::Page::Dpi);
        EXPECT_FALSE(probe.HoverFlag(hover::Keys(hover::keys::Slot(1, 2))));
        // The key page's elements are not there to hover, whatever their number.
        Rest(dlg, slot);
        Rest(dlg, defaultButton);
        EXPECT_FALSE(probe.HoverFlag(hover::Keys(hover::keys::Slot(1, 2))));
        EXPECT_FALSE(probe.HoverFlag(hover::Keys(hover::keys::kDefault)));
        // Nor does Default's number on the key page land on the DPI page's flags.
        EXPECT_FALSE(probe.HoverFlag(hover::Dpi(hover::keys::kDefault)));
        Rest(dlg, stage);
        EXPECT_TRUE(probe.HoverFlag(hover::Dpi(hover::dpi::Stage(0))));
        // The window's own buttons answer on every page.
        Rest(dlg, CentreOf(OwnElementRow(layout::WindowElement::Close).element.rect));
        EXPECT_TRUE(probe.HoverFlag(hover::Window(layout::WindowElement::Close)));

        wndtest::Click(dlg, CentreOf(layout::kTabs[2].rect));
        EXPECT_FALSE(probe.HoverFlag(hover::Dpi(hover::dpi::Stage(0))));
        EXPECT_TRUE(probe.HoverFlag(hover::Window(layout::WindowElement::Close)));
        Rest(dlg, CentreOf(layout::kRateTicks[0].rect));
        Rest(dlg, stage);
        EXPECT_FALSE(probe.HoverFlag(hover::Dpi(hover::dpi::Stage(0))));
    }});
}

TEST_F(HoverTest, FlagsOfTheWindowAndOfThePageComeBackInOneOrder)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const CVantorDlgProbe probe(dlg);
        const auto defaultButton = hover::Keys(hover::keys::kDefault);
        const auto exit = hover::Window(layout::WindowElement::Exit);
        const auto apply = hover::Window(layout::WindowElement::Apply);

        // Hovering Apply draws back the page's Default, its neighbour.
        Rest(dlg, CentreOf(layout::kDefault.rect));
        ASSERT_TRUE(probe.HoverFlag(defaultButton));
        Rest(dlg, CentreOf(OwnElementRow(layout::WindowElement::Apply).element.rect));
        EXPECT_FALSE(probe.HoverFlag(defaultButton));
        EXPECT_TRUE(probe.HoverFlag(apply));

        // Exit draws back Apply but not Default: both stay flagged, and one
        // move outside brings back Default (before Exit in the order), the next Exit.
        Rest(dlg, CentreOf(layout::kDefault.rect));
        EXPECT_FALSE(probe.HoverFlag(apply));
        Rest(dlg, CentreOf(OwnElementRow(layout::WindowElement::Exit).element.rect));
        ASSERT_TRUE(probe.HoverFlag(defaultButton));
        ASSERT_TRUE(probe.HoverFlag(exit));
        wndtest::MouseMove(dlg, kNowhere);
        EXPECT_FALSE(probe.HoverFlag(defaultButton));
        EXPECT_TRUE(probe.HoverFlag(exit));
        wndtest::MouseMove(dlg, CPoint(kNowhere.x + 1, kNowhere.y));
        EXPECT_FALSE(probe.HoverFlag(exit));
    }});
}

}  // namespace
