// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon: opening the window, the one-entry menu, the hide paths and
// the two ways of ending the program.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "device/device_link.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/services/system_info.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "platform/wnd/vkeys.h"
#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "settings/settings_state.h"
#include "tests/support/whole_program.h"
#include "tests/mainwnd/vantor_dlg_probe.h"

namespace {

using TrayTest = WholeProgramTest;

TEST_F(TrayTest, LeftClickWithoutTheMouseShowsTheWarningBalloonAndKeepsTheWindowHidden)
{
    SimHid sim(SimHid::Options{.plugged = false});
    for (const UINT click : {WM_LBUTTONUP, WM_LBUTTONDBLCLK}) {
        SCOPED_TRACE(click);
        FinishRun();
        PrepareRun();
        bool visible = true;
        const NOTIFYICONDATAW* balloon = nullptr;
        RunProgram({[&](CVantorDlg& dlg) {
            wndtest::TrayMouse(click);
            visible = dlg.IsWindowVisible() != FALSE;
            balloon = LastBalloon();
            ASSERT_NE(balloon, nullptr);
            EXPECT_EQ(std::u16string(balloon->szInfo), u"The system did not detect the gaming mouse!");
            EXPECT_EQ(std::u16string(balloon->szInfoTitle), u"Warning");
            EXPECT_EQ(balloon->dwInfoFlags, NIIF_INFO);
            EXPECT_EQ(balloon->uFlags, 0x17u);
            EXPECT_EQ(balloon->uTimeout, 100u);
            EXPECT_EQ(balloon->hWnd, dlg.GetSafeHwnd());
        }});
        EXPECT_FALSE(visible);
    }
}

TEST_F(TrayTest, LeftClickWithTheMouseShowsTheWindowEveryTime)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        // Presses, moves and the right-button press do nothing.
        for (const UINT ignored : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
            wndtest::TrayMouse(ignored);
        }
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_TRUE(wndtest::Menus().empty());

        wndtest::TrayMouse(WM_LBUTTONUP);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(GetForegroundWindow(), dlg.GetSafeHwnd());
        EXPECT_EQ(LastBalloon(), nullptr);
        // Made from its template at exactly its pictures' size (a wider window
        // leaves a strip never painted), with the application icon as the tray's.
        CRect client;
        dlg.GetClientRect(&client);
        EXPECT_EQ(client.Size(), CSize(752, 647));
        const std::vector<NOTIFYICONDATAW> added = TrayCallsOf(NIM_ADD);
        ASSERT_FALSE(added.empty());
        EXPECT_NE(added.front().hIcon, nullptr);
        EXPECT_EQ(added.front().hIcon, LoadIconW(IDI_KX507));

        // Every hide path only hides; the tray brings the window back each time.
        dlg.SendMessage(WM_CLOSE);
        wndtest::PumpMessages();
        EXPECT_FALSE(dlg.IsWindowVisible());
        wndtest::TrayMouse(WM_LBUTTONDBLCLK);
        EXPECT_TRUE(dlg.IsWindowVisible());
        for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
            wndtest::KeyPress(dlg, key);
            EXPECT_FALSE(dlg.IsWindowVisible());
            wndtest::TrayMouse(WM_LBUTTONUP);
            EXPECT_TRUE(dlg.IsWindowVisible());
        }
        EXPECT_FALSE(dlg.IsModalEnded());
    }});
}

TEST_F(TrayTest, ExitDiscardsUnappliedChangesAndTheNextShowReloadsTheLabels)
{
    SimHid sim;
    WriteInstallFile("str.ini", "[Setting-EN]\nItem1=Left Click\n");
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        const SettingsRecord applied = g_appliedCopy;
        g_settingsRecord.reportInterval ^= 0x5A;
        wndtest::Click(dlg, OwnElementRow(layout::WindowElement::Exit).element.rect.TopLeft());
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_EQ(std::memcmp(&g_settingsRecord, &applied, sizeof applied), 0);
        EXPECT_TRUE(CVantorDlgProbe(dlg).ReshowRefreshPending());

        // What Apply wrote meanwhile is what the key page shows next.
        WriteInstallFile("str.ini", "[Setting-EN]\nItem1=Fire Key\n");
        EXPECT_EQ(CVantorDlgProbe(dlg).Labels()[0][0], u"Left Click");
        wndtest::TrayMouse(WM_LBUTTONUP);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(CVantorDlgProbe(dlg).ReshowRefreshPending());
        EXPECT_EQ(CVantorDlgProbe(dlg).Labels()[0][0], u"Fire Key");
        EXPECT_EQ(CVantorDlgProbe(dlg).CurrentPage(), layout::Page::Keys);
    }});
}

// Exit on another page discards the key page's unapplied labels as well: its
// tab, clicked after the next show, shows what the label file holds, not a
// choice the record no longer has (which a later Apply would have saved).
TEST_F(TrayTest, ExitOnAnotherPageAlsoTakesTheKeyPageBackToTheLabelFile)
{
    SimHid sim;
    WriteInstallFile("str.ini", "[Setting-EN]\nItem1=Left Click\n");
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        WriteInstallFile("str.ini", "[Setting-EN]\nItem1=Fire Key\n");
        wndtest::Click(dlg, layout::kTabs[1].rect.TopLeft());
        ASSERT_EQ(CVantorDlgProbe(dlg).CurrentPage(), layout::Page::Dpi);
        wndtest::Click(dlg, OwnElementRow(layout::WindowElement::Exit).element.rect.TopLeft());
        wndtest::TrayMouse(WM_LBUTTONUP);
        wndtest::Click(dlg, layout::kTabs[0].rect.TopLeft());
        ASSERT_EQ(CVantorDlgProbe(dlg).CurrentPage(), layout::Page::Keys);
        EXPECT_EQ(CVantorDlgProbe(dlg).Labels()[0][0], u"Fire Key");
    }});
}

TEST_F(TrayTest, RightClickMenuEndsTheProgramAndRemovesTheIcon)
{
    SimHid sim;
    SetSystemDefaultLangIdForTesting(2052);
    wndtest::SetMenuChoice(IDCANCEL);
    HWND mainWindow = nullptr;
    const std::string socket = WindowMessageSocketPath(kMainWindowClass);
    const int exitCode = RunProgram({[&](CVantorDlg& dlg) {
        mainWindow = dlg.GetSafeHwnd();
        EXPECT_TRUE(std::filesystem::exists(socket));
        wndtest::TrayMouse(WM_RBUTTONUP);
        EXPECT_TRUE(dlg.IsModalEnded());
    }});
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(wndtest::Menus().size(), 1u);
    const wndtest::MenuRecord& menu = wndtest::Menus()[0];
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].id, 2u);
    EXPECT_EQ(menu.items[0].text, u"退出");
    EXPECT_EQ(menu.flags, 0x22u);
    EXPECT_EQ(menu.owner, mainWindow);
    EXPECT_EQ(wndtest::TrayCalls().back().message, NIM_DELETE);
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_FALSE(std::filesystem::exists(socket));
}

TEST_F(TrayTest, DismissedMenuLeavesTheProgramRunning)
{
    SimHid sim;
    wndtest::SetMenuChoice(0);
    bool ended = true;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_RBUTTONUP);
        ended = dlg.IsModalEnded();
    }});
    EXPECT_FALSE(ended);
    EXPECT_EQ(wndtest::Menus().size(), 1u);
}

TEST_F(TrayTest, CloseProgramCleansUpThenEndsTheProcessWithCodeZero)
{
    SimHid sim;
    const std::string socket = WindowMessageSocketPath(kMainWindowClass);
    std::size_t trayCallsAtExit = 0;
    try {
        RunProgram({[&](CVantorDlg& dlg) {
            wndtest::TrayMouse(WM_LBUTTONUP);
            try {
                wndtest::Click(dlg, OwnElementRow(layout::WindowElement::Close).element.rect.TopLeft());
            } catch (const ProcessExited&) {
                trayCallsAtExit = wndtest::TrayCalls().size();
                // Nothing of the running instance is left for others to reach.
                EXPECT_EQ(wndtest::TrayCalls().back().message, NIM_DELETE);
                EXPECT_EQ(g_deviceLink.commandHandle, INVALID_HANDLE_VALUE);
                EXPECT_EQ(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
                EXPECT_EQ(sim.OpenHandles(), 0);
                EXPECT_FALSE(std::filesystem::exists(socket));
                throw;
            }
        }});
        ADD_FAILURE() << "the Close routine returned";
    } catch (const ProcessExited& exited) {
        EXPECT_EQ(exited.code, 0u);
    }
    EXPECT_NE(trayCallsAtExit, 0u);
    // The icon is deleted once, however the window goes afterwards.
    EXPECT_EQ(TrayCallsOf(NIM_DELETE).size(), 1u);
}

}  // namespace
