// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a screen reader meets it: a box reads as a labelled
// combo box of the toolkit reads, and an element keeps the identity the
// reader knows it by for as long as it is shown.

#include <gtest/gtest.h>

#include "mainwnd/layout.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "tests/mainwnd/vantor_dlg_probe.h"
#include "tests/support/whole_program.h"

namespace {

using MainWindowAccessibilityTest = WholeProgramTest;

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

}  // namespace
