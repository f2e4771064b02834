// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a screen reader and a keyboard user meet it: a box reads
// as a labelled combo box of the toolkit reads, an element keeps the identity
// the reader knows it by for as long as it is shown, and the keyboard starts
// in the page with Minimise and Close last.

#include <gtest/gtest.h>

#include "mainwnd/layout.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "platform/wnd/vkeys.h"
#include "tests/mainwnd/vantor_dlg_probe.h"
#include "tests/support/whole_program.h"

namespace {

using MainWindowAccessibilityTest = WholeProgramTest;

void PressTab(CVantorDlg& dlg)
{
    wndtest::KeyPress(dlg.GetSafeHwnd(), VK_TAB);
}

void PressShiftTab(CVantorDlg& dlg)
{
    wndtest::KeyDown(dlg.GetSafeHwnd(), VK_SHIFT);
    wndtest::KeyPress(dlg.GetSafeHwnd(), VK_TAB);
    wndtest::KeyUp(dlg.GetSafeHwnd(), VK_SHIFT);
}

std::u16string FocusedName(const CVantorDlg& dlg)
{
    const auto focused = dlg.FocusedChild();
    return focused ? dlg.AccessibleChildren()[*focused].name : u"";
}

TEST_F(MainWindowAccessibilityTest, ABoxReadsAsALabelledComboBoxOfTheToolkit)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const HWND window = dlg.GetSafeHwnd();
        EXPECT_EQ(wndtest::AccessibleReading(window, "Key matrix 1 Left button"),
            wndtest::LabelledComboBoxReading("Key matrix 1 Left button", "Left Click"));
        EXPECT_EQ(wndtest::AccessibleReading(window, "Key matrix 2 Side button, rear"),
            wndtest::LabelledComboBoxReading("Key matrix 2 Side button, rear", "Backward"));

        ASSERT_TRUE(wndtest::AccessiblePress(window, "DPI"));
        const auto stage = wndtest::AccessibleValue(window, "Stage 1");
        ASSERT_TRUE(stage);
        EXPECT_FALSE(stage->empty());
        EXPECT_EQ(wndtest::AccessibleReading(window, "Stage 1"), wndtest::LabelledComboBoxReading("Stage 1", *stage));
    }});
}

TEST_F(MainWindowAccessibilityTest, AnElementKeepsItsIdentityWhileShownAndAGoneOneIsNotReused)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const HWND window = dlg.GetSafeHwnd();
        const auto apply = wndtest::AccessibleId(window, "Apply");
        const auto buttonsTab = wndtest::AccessibleId(window, "Buttons");
        const auto leftBox = wndtest::AccessibleId(window, "Key matrix 1 Left button");
        ASSERT_NE(apply, 0u);
        ASSERT_NE(leftBox, 0u);

        ASSERT_TRUE(wndtest::AccessiblePress(window, "DPI"));
        EXPECT_EQ(wndtest::AccessibleId(window, "Apply"), apply);
        EXPECT_EQ(wndtest::AccessibleId(window, "Buttons"), buttonsTab);
        // The key page's box is gone with its page; the stage box in its
        // place is an element of its own.
        EXPECT_FALSE(wndtest::AccessibleIdAlive(leftBox));
        const auto stageBox = wndtest::AccessibleId(window, "Stage 1");
        EXPECT_NE(stageBox, 0u);
        EXPECT_NE(stageBox, leftBox);

        // Back on the key page the box is new to the reader.
        ASSERT_TRUE(wndtest::AccessiblePress(window, "Buttons"));
        const auto leftAgain = wndtest::AccessibleId(window, "Key matrix 1 Left button");
        EXPECT_FALSE(wndtest::AccessibleIdAlive(stageBox));
        EXPECT_NE(leftAgain, 0u);
        EXPECT_NE(leftAgain, leftBox);
        EXPECT_EQ(wndtest::AccessibleId(window, "Apply"), apply);
    }});
}

TEST_F(MainWindowAccessibilityTest, TheKeyboardStartsInThePageAndReachesMinimiseAndCloseLast)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const CVantorDlgProbe probe(dlg);
        // The tab shown has the focus; Tab then Space presses the next tab.
        EXPECT_EQ(FocusedName(dlg), u"Buttons");
        PressTab(dlg);
        wndtest::KeyPress(dlg.GetSafeHwnd(), VK_SPACE);
        EXPECT_EQ(probe.CurrentPage(), layout::Page::Dpi);
        EXPECT_TRUE(dlg.IsWindowVisible());

        // Back from the first element: Close, then Minimise, then the link.
        PressShiftTab(dlg);
        EXPECT_EQ(FocusedName(dlg), u"Buttons");
        PressShiftTab(dlg);
        EXPECT_EQ(FocusedName(dlg), u"Close");
        PressShiftTab(dlg);
        EXPECT_EQ(FocusedName(dlg), u"Minimise");
        PressShiftTab(dlg);
        EXPECT_EQ(FocusedName(dlg), u"http://www.kx507-gaming.example/");
        EXPECT_TRUE(dlg.IsWindowVisible());
    }});
}

}  // namespace
