// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon record's operations and callback, the desktop without a
// notification area (the grace-period click, balloons handed to the
// notification service), pop-up menus, and the file-descriptor watch of the
// message loop.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fd_watch.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/menu.h"
#include "platform/wnd/notify_icon.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr UINT kTrayCallback = WM_USER + 1;
constexpr UINT kIconId = 1;

class CTrayDlg : public CDialog {
public:
    CTrayDlg() : CDialog(test_dialogs::kPlain) {}
    std::vector<std::pair<WPARAM, LPARAM>> callbacks;
    int exits = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    LRESULT OnTray(WPARAM id, LPARAM mouse)
    {
        callbacks.emplace_back(id, mouse);
        return 0;
    }
    void OnExit() { ++exits; }
    static const CMessageMap kMessageMap;
};

const CMessageMap CTrayDlg::kMessageMap = {
    ON_MESSAGE(kTrayCallback, &CTrayDlg::OnTray),
    ON_COMMAND(2, &CTrayDlg::OnExit),
};

void CopyText(char16_t* field, std::size_t capacity, std::u16string_view text)
{
    text.substr(0, capacity - 1).copy(field, capacity - 1);
}

class TrayTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        ASSERT_TRUE(m_dlg.Create(test_dialogs::kPlain.id));
        m_record.cbSize = kNotifyIconDataSizeWithoutBalloonIcon;
        m_record.hWnd = m_dlg;
        m_record.uID = kIconId;
        m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        m_record.uCallbackMessage = kTrayCallback;
        m_record.hIcon = test_dialogs::LoadTestIcon();
        CopyText(m_record.szTip, std::size(m_record.szTip), u"KX-507");
    }
    CTrayDlg m_dlg;
    NOTIFYICONDATAW m_record;
};

TEST_F(TrayTest, AddModifyDeleteAreRecordedWithTheRecord)
{
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &m_record));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &m_record));
    m_record.uFlags |= NIF_INFO;
    CopyText(m_record.szInfo, std::size(m_record.szInfo), u"Switch to key matrix 1");
    CopyText(m_record.szInfoTitle, std::size(m_record.szInfoTitle), u"Info");
    m_record.dwInfoFlags = NIIF_INFO;
    m_record.uTimeout = 5000;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &m_record));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &m_record));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &m_record));

    const auto& calls = wndtest::TrayCalls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[1].message, NIM_ADD);
    EXPECT_EQ(std::u16string(calls[1].data.szTip), u"KX-507");
    EXPECT_EQ(calls[1].data.uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    const NOTIFYICONDATAW& balloon = calls[3].data;
    EXPECT_EQ(calls[3].message, NIM_MODIFY);
    EXPECT_EQ(balloon.uFlags, 0x17u);
    EXPECT_EQ(std::u16string(balloon.szInfo), u"Switch to key matrix 1");
    EXPECT_EQ(std::u16string(balloon.szInfoTitle), u"Info");
    EXPECT_EQ(balloon.dwInfoFlags, NIIF_INFO);
    EXPECT_EQ(balloon.uTimeout, 5000u);
    EXPECT_EQ(calls[4].message, NIM_DELETE);
}

TEST_F(TrayTest, PointerActivityArrivesAsTheCallbackMessage)
{
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
        wndtest::TrayMouse(mouse);
    }
    using Callback = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(m_dlg.callbacks, (std::vector<Callback>{{kIconId, WM_LBUTTONUP}, {kIconId, WM_LBUTTONDBLCLK},
                                   {kIconId, WM_RBUTTONDOWN}, {kIconId, WM_RBUTTONUP}}));
    Shell_NotifyIconW(NIM_DELETE, &m_record);
    wndtest::TrayMouse(WM_LBUTTONUP);
    EXPECT_EQ(m_dlg.callbacks.size(), 4u);
}

TEST_F(TrayTest, AChosenMenuEntryIsPostedToTheOwner)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 2, u"Exit"));
    wndtest::SetMenuChoice(2);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, 300, 400, &m_dlg));
    EXPECT_EQ(m_dlg.exits, 0);  // posted, not sent
    wndtest::PumpMessages();
    EXPECT_EQ(m_dlg.exits, 1);
    ASSERT_EQ(wndtest::Menus().size(), 1u);
    const wndtest::MenuRecord& shown = wndtest::Menus()[0];
    EXPECT_EQ(shown.at, CPoint(300, 400));
    EXPECT_EQ(shown.flags, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN);
    EXPECT_EQ(shown.owner, m_dlg.m_hWnd);
    ASSERT_EQ(shown.items.size(), 1u);
    EXPECT_EQ(shown.items[0].text, u"Exit");
    EXPECT_TRUE(menu.DestroyMenu());
}

TEST_F(TrayTest, ADismissedMenuDoesNothing)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 2, u"Exit");
    wndtest::SetMenuChoice(0);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_RIGHTBUTTON, 0, 0, &m_dlg));
    wndtest::PumpMessages();
    EXPECT_EQ(m_dlg.exits, 0);
}

TEST_F(TrayTest, AWatchedDescriptorIsServedByTheMessageLoop)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int calls = 0;
    const FdWatchId watch = WatchFdReadable(fds[0], [&calls, fd = fds[0]] {
        char byte = 0;
        EXPECT_EQ(::read(fd, &byte, 1), 1);
        ++calls;
    });
    ASSERT_NE(watch, 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    wndtest::PumpMessages();
    EXPECT_EQ(calls, 1);
    UnwatchFd(watch);
    ASSERT_EQ(::write(fds[1], "y", 1), 1);
    wndtest::PumpMessages();
    EXPECT_EQ(calls, 1);
    ::close(fds[0]);
    ::close(fds[1]);
}

constexpr auto kGraceMs = static_cast<DWORD>(kNotificationAreaGracePeriod.count());

TEST_F(TrayTest, WithoutANotificationAreaTheIconIsClickedOnceWhenItsGracePeriodIsOver)
{
    wndtest::SetNotificationAreaAvailable(false);
    wndtest::AdvanceTime(1234);  // the period runs from the icon's adding, not from the start
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    wndtest::AdvanceTime(kGraceMs - 1);
    EXPECT_TRUE(m_dlg.callbacks.empty());
    wndtest::AdvanceTime(1);
    using Callback = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(m_dlg.callbacks, (std::vector<Callback>{{kIconId, WM_LBUTTONUP}}));
    wndtest::AdvanceTime(10 * kGraceMs);
    EXPECT_EQ(m_dlg.callbacks.size(), 1u);

    // A panel that comes later shows the icon, which works as usual.
    wndtest::SetNotificationAreaAvailable(true);
    wndtest::TrayMouse(WM_RBUTTONUP);
    EXPECT_EQ(m_dlg.callbacks.back(), (Callback{kIconId, WM_RBUTTONUP}));
}

TEST_F(TrayTest, NoClickForAnIconAnAreaTookOrThatIsGone)
{
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    wndtest::AdvanceTime(kGraceMs);
    EXPECT_TRUE(m_dlg.callbacks.empty()) << "an area was there all along";

    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &m_record));
    wndtest::SetNotificationAreaAvailable(false);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    wndtest::AdvanceTime(kGraceMs / 2);
    wndtest::SetNotificationAreaAvailable(true);
    wndtest::AdvanceTime(kGraceMs);
    EXPECT_TRUE(m_dlg.callbacks.empty()) << "a panel took the icon within the grace period";

    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &m_record));
    wndtest::SetNotificationAreaAvailable(false);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &m_record));
    wndtest::AdvanceTime(kGraceMs);
    EXPECT_TRUE(m_dlg.callbacks.empty()) << "the icon was removed";
}

void SetBalloon(NOTIFYICONDATAW& record, std::u16string_view title, std::u16string_view text, UINT timeout)
{
    record.uFlags |= NIF_INFO;
    std::fill(std::begin(record.szInfo), std::end(record.szInfo), u'\0');
    std::fill(std::begin(record.szInfoTitle), std::end(record.szInfoTitle), u'\0');
    CopyText(record.szInfo, std::size(record.szInfo), text);
    CopyText(record.szInfoTitle, std::size(record.szInfoTitle), title);
    record.dwInfoFlags = NIIF_INFO;
    record.uTimeout = timeout;
}

TEST_F(TrayTest, BalloonsNoAreaShowsGoToTheNotificationServiceWithTheProgramsEntry)
{
    AfxSetDesktopEntryName(u"kx-507");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &m_record));
    SetBalloon(m_record, u"Info", u"Switch to key matrix 1", 5000);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &m_record));
    EXPECT_TRUE(wndtest::DesktopNotifications().empty()) << "the notification area shows it";

    wndtest::SetNotificationAreaAvailable(false);
    SetBalloon(m_record, u"Warning", u"The system did not detect the gaming mouse!", 100);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &m_record));
    const auto& notices = wndtest::DesktopNotifications();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].title, u"Warning");
    EXPECT_EQ(notices[0].text, u"The system did not detect the gaming mouse!");
    // Handed the time a notification area would keep the balloon up: 100 ms could not be read.
    EXPECT_EQ(notices[0].timeoutMs, 10000);
    EXPECT_EQ(notices[0].desktopEntry, u"kx-507");
    const std::u16string& icon = notices[0].appIcon;
    EXPECT_TRUE(icon == u"kx-507" || (icon.starts_with(u"file:///") && icon.ends_with(u"/icons/kx-507-256.png")));
    EXPECT_EQ(wndtest::TrayCalls().back().notification, 0);
}

TEST(BalloonShowTime, StaysUpLongEnoughToReadAndNoLongerThanHalfAMinute)
{
    EXPECT_EQ(BalloonShowTime(100), 10000u);
    EXPECT_EQ(BalloonShowTime(5000), 10000u);
    EXPECT_EQ(BalloonShowTime(15000), 15000u);
    EXPECT_EQ(BalloonShowTime(600000), 30000u);
}

}  // namespace
