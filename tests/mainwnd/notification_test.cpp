// SPDX-License-Identifier: GPL-3.0-or-later
// The notification message: its balloons, the same message arriving from
// other programs through the channel, and the device changes that send it.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "device/device_link.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/services/system_info.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"
#include "tests/support/whole_program.h"

namespace {

constexpr UINT kNotification = WM_USER + 2;
constexpr UINT kTrayCallback = WM_USER + 1;
constexpr const char16_t* kClass = kMainWindowClass;

struct Expected {
    WPARAM code;
    LPARAM detail;
    std::u16string text;  // empty: no balloon
    std::u16string title;
    UINT timeout;
};

// Sends one more notification after what went before and waits for its
// balloon: the channel keeps the order, so everything sent earlier has been
// handled by then. True when the balloon came, and came alone.
bool ChannelDrained()
{
    const std::size_t before = wndtest::TrayCalls().size();
    if (!SendWindowClassMessage(kClass, WindowMessage{kNotification, 9, 99})) {
        return false;
    }
    return PumpUntil([&] { return wndtest::TrayCalls().size() > before; }) &&
           wndtest::TrayCalls().size() == before + 1 &&
           std::u16string(wndtest::TrayCalls().back().data.szInfo) == u"Switch to macro key99";
}

using NotificationTest = WholeProgramTest;

TEST_F(NotificationTest, EachCodeAndDetailShowsItsBalloonOrNothing)
{
    SimHid sim(SimHid::Options{.plugged = true, .dpiTableSet = 1});
    RunProgram({[&](CVantorDlg& dlg) {
        g_settingsRecord.dpiStageIndex[1] = 3;
        const std::u16string stage2Value(DpiValueTextOfPosition(3));
        ASSERT_FALSE(stage2Value.empty());
        const Expected cases[] = {
            {5, 1, u"Switch report rate into 1000HZ", u"Info", 5000},
            {5, 8, u"Switch report rate into 125HZ", u"Info", 5000},
            {5, 3, u"", u"", 0},
            {7, 2, u"Switch DPI into the second stage " + stage2Value, u"Info", 5000},
            {7, 5, u"", u"", 0},
            {7, 0, u"", u"", 0},
            {8, 2, u"Switch to key matrix 2", u"Info", 5000},
            {8, 3, u"", u"", 0},
            {9, 12, u"Switch to macro key12", u"Info", 5000},
            {9, -7, u"Switch to macro key-7", u"Info", 5000},
            {9, 0, u"", u"", 0},
            {14, 99, u"The system detect the gaming mouse.", u"Info", 100},
            {15, 0, u"The system did not detect the gaming mouse!", u"Warning", 100},
            {6, 1, u"", u"", 0},
            {0xFFFFFFFF, 1, u"", u"", 0},
        };
        for (const Expected& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << c.code << " detail " << c.detail);
            const std::size_t before = wndtest::TrayCalls().size();
            EXPECT_EQ(dlg.SendMessage(kNotification, c.code, c.detail), 0);
            if (c.text.empty()) {
                EXPECT_EQ(wndtest::TrayCalls().size(), before);
                continue;
            }
            ASSERT_EQ(wndtest::TrayCalls().size(), before + 1);
            const NOTIFYICONDATAW& balloon = wndtest::TrayCalls().back().data;
            EXPECT_EQ(wndtest::TrayCalls().back().message, NIM_MODIFY);
            EXPECT_EQ(std::u16string(balloon.szInfo), c.text);
            EXPECT_EQ(std::u16string(balloon.szInfoTitle), c.title);
            EXPECT_EQ(balloon.uTimeout, c.timeout);
            EXPECT_EQ(balloon.dwInfoFlags, NIIF_INFO);
            EXPECT_EQ(balloon.uFlags, 0x17u);
            EXPECT_EQ(std::u16string(balloon.szTip), u"KX-507");
        }
        EXPECT_FALSE(dlg.IsWindowVisible());
    }});
}

TEST_F(NotificationTest, ChineseDpiBalloonHasNoBlankBeforeTheValue)
{
    SimHid sim;
    SetSystemDefaultLangIdForTesting(2052);
    RunProgram({[&](CVantorDlg& dlg) {
        g_settingsRecord.dpiStageIndex[1] = 2;
        dlg.SendMessage(kNotification, 7, 2);
        ASSERT_NE(LastBalloon(), nullptr);
        EXPECT_EQ(std::u16string(LastBalloon()->szInfo), u"DPI切换到第二段" + std::u16string(DpiValueTextOfPosition(2)));
    }});
}

TEST_F(NotificationTest, OtherProgramsReachTheWindowThroughTheChannel)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        ASSERT_TRUE(SendWindowClassMessage(kClass, WindowMessage{kNotification, 9, 12}));
        ASSERT_TRUE(PumpUntil([&] { return LastBalloon() != nullptr; }));
        EXPECT_EQ(std::u16string(LastBalloon()->szInfo), u"Switch to macro key12");

        // Only the notification message passes: nothing else another program
        // sends reaches the window, and garbage is dropped.
        const std::size_t before = wndtest::TrayCalls().size();
        EXPECT_TRUE(SendWindowClassMessage(kClass, WindowMessage{WM_CLOSE, 0, 0}));
        EXPECT_TRUE(SendWindowClassMessage(kClass, WindowMessage{kTrayCallback, 1, WM_RBUTTONUP}));
        EXPECT_TRUE(SendWindowClassMessage(kClass, WindowMessage{kTrayCallback, 1, WM_LBUTTONUP}));
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = WindowMessageSocketPath(kClass);
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const char garbage[] = "KXWM\x02\x04";
        ::sendto(fd, garbage, sizeof garbage, 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::close(fd);
        ASSERT_TRUE(ChannelDrained());
        EXPECT_EQ(wndtest::TrayCalls().size(), before + 1) << "only the last notification's balloon";
        EXPECT_TRUE(wndtest::Menus().empty());
        EXPECT_FALSE(dlg.IsModalEnded());
        // With a notification area the tray is the only way to open the window.
        EXPECT_FALSE(dlg.IsWindowVisible());
    }});
}

TEST_F(NotificationTest, WithoutANotificationAreaTheOpenRequestShowsTheWindow)
{
    SimHid sim;
    wndtest::SetNotificationAreaAvailable(false);
    RunProgram({[&](CVantorDlg& dlg) {
        EXPECT_TRUE(SendWindowClassMessage(kClass, WindowMessage{kTrayCallback, 1, WM_RBUTTONUP}));
        ASSERT_TRUE(ChannelDrained());
        EXPECT_TRUE(wndtest::Menus().empty());
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_TRUE(SendWindowClassMessage(kClass, WindowMessage{kTrayCallback, 1, WM_LBUTTONUP}));
        EXPECT_TRUE(PumpUntil([&] { return dlg.IsWindowVisible() != FALSE; }));
    }});
}

TEST_F(NotificationTest, FourthDeviceChangeFindsTheMouseGoneOrBack)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        wndtest::TrayMouse(WM_LBUTTONUP);
        ASSERT_TRUE(dlg.IsWindowVisible());
        sim.Unplug();  // one removal per collection: four notifications
        wndtest::PumpMessages();
        EXPECT_EQ(g_deviceLink.devicePresent, 0);
        EXPECT_FALSE(dlg.IsWindowVisible());
        ASSERT_NE(LastBalloon(), nullptr);
        EXPECT_EQ(std::u16string(LastBalloon()->szInfoTitle), u"Warning");

        const std::size_t before = wndtest::TrayCalls().size();
        sim.Plug();
        wndtest::PumpMessages();
        EXPECT_EQ(g_deviceLink.devicePresent, 1);
        EXPECT_TRUE(g_deviceImageFromMouse);
        EXPECT_EQ(wndtest::TrayCalls().size(), before);
        wndtest::TrayMouse(WM_LBUTTONUP);
        EXPECT_TRUE(dlg.IsWindowVisible());
    }});
}

}  // namespace
