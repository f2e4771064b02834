// SPDX-License-Identifier: GPL-3.0-or-later
// Balloons on a desktop without a notification area, as the desktop's
// notification service receives them over a real session bus. CTest runs this
// program on a private bus (dbus-run-session); where a service has the name
// already, as on a developer's desktop, it skips instead of standing in.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/notify_icon.h"
#include "platform/wnd/test_notification_service.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr UINT kTrayCallback = WM_USER + 1;

// Pumps until the service has received `count` notifications, for at most ten seconds.
bool WaitForNotifications(const wndtest::CTestNotificationService& service, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (service.Received().size() < count && std::chrono::steady_clock::now() < deadline) {
        wndtest::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return service.Received().size() >= count;
}

void SetBalloon(NOTIFYICONDATAW& record, std::u16string_view title, std::u16string_view text, UINT timeout)
{
    record.uFlags |= NIF_INFO;
    std::fill(std::begin(record.szInfo), std::end(record.szInfo), u'\0');
    std::fill(std::begin(record.szInfoTitle), std::end(record.szInfoTitle), u'\0');
    std::copy(text.begin(), text.end(), record.szInfo);
    std::copy(title.begin(), title.end(), record.szInfoTitle);
    record.dwInfoFlags = NIIF_INFO;
    record.uTimeout = timeout;
}

using NotificationServiceTest = HeadlessTest;

TEST_F(NotificationServiceTest, BalloonsArriveWithTheProgramsIconEntryAndTimeOutAndReplaceEachOther)
{
    wndtest::CTestNotificationService service;
    if (!service.Start()) {
        GTEST_SKIP() << "no private session bus: run under dbus-run-session";
    }
    wndtest::SendDesktopNotificationsToSessionBus(true);
    wndtest::SetNotificationAreaAvailable(false);
    AfxSetDesktopEntryName(u"kx-507");

    CDialog window(test_dialogs::kPlain);
    ASSERT_TRUE(window.Create(test_dialogs::kPlain.id));
    NOTIFYICONDATAW record;
    record.cbSize = kNotifyIconDataSizeWithoutBalloonIcon;
    record.hWnd = window;
    record.uID = 1;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallback;
    record.hIcon = test_dialogs::LoadTestIcon();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &record));

    SetBalloon(record, u"Warning", u"The system did not detect the gaming mouse!", 100);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record));
    ASSERT_TRUE(WaitForNotifications(service, 1));
    const wndtest::ReceivedNotification& first = service.Received()[0];
    EXPECT_EQ(first.summary, u"Warning");
    EXPECT_EQ(first.body, u"The system did not detect the gaming mouse!");
    // No picture files beside this test program: the icon goes by its theme name.
    EXPECT_EQ(first.appIcon, u"kx-507");
    EXPECT_EQ(first.desktopEntry, u"kx-507");
    EXPECT_EQ(first.timeoutMs, 10000);
    EXPECT_EQ(first.replacesId, 0u);

    // The answer to the first arrives through the loop; the next balloon takes its place.
    wndtest::PumpMessages();
    SetBalloon(record, u"Info", u"Switch to key matrix 2", 15000);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record));
    ASSERT_TRUE(WaitForNotifications(service, 2));
    EXPECT_EQ(service.Received()[1].summary, u"Info");
    EXPECT_EQ(service.Received()[1].timeoutMs, 15000);
    EXPECT_EQ(service.Received()[1].replacesId, 1u);

    Shell_NotifyIconW(NIM_DELETE, &record);
    wndtest::SendDesktopNotificationsToSessionBus(false);
}

}  // namespace
