// SPDX-License-Identifier: GPL-3.0-or-later
// Message tables, synchronous and queued delivery, pre-translation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dbt.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/list_box.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

class CProbeDlg : public CDialog {
public:
    CProbeDlg() : CDialog(test_dialogs::kPlain) {}

    std::vector<std::string> log;
    UINT consume = WM_NULL;  // a message pre-translation swallows

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_USER + 5) {
            log.push_back(msg->hwnd == m_hWnd ? "pre-self" : "pre-child");
        }
        return msg->message == consume ? TRUE : CDialog::PreTranslateMessage(msg);
    }

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnLButtonDown(UINT flags, CPoint point)
    {
        log.push_back("down " + std::to_string(flags) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    LRESULT OnNotification(WPARAM code, LPARAM detail)
    {
        log.push_back("note " + std::to_string(code) + " " + std::to_string(detail));
        return static_cast<LRESULT>(code) * 100 + detail;
    }
    void OnSelect() { log.push_back("select 31"); }
    void OnRangeChoice(UINT id) { log.push_back("choice " + std::to_string(id)); }
    void OnClose() { log.push_back("close"); }
    BOOL OnDeviceChange(UINT event, DWORD_PTR data)
    {
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
        log.push_back("device " + std::to_string(event) + " " + std::to_string(header->dbch_devicetype));
        return TRUE;
    }

protected:
    static const CMessageMap kMessageMap;
};

const CMessageMap CProbeDlg::kMessageMap = {
    ON_WM_LBUTTONDOWN(&CProbeDlg::OnLButtonDown),
    ON_MESSAGE(WM_USER + 2, &CProbeDlg::OnNotification),
    ON_WM_CLOSE(&CProbeDlg::OnClose),
    ON_WM_DEVICECHANGE(&CProbeDlg::OnDeviceChange),
    ON_LBN_SELCHANGE(31, &CProbeDlg::OnSelect),
    ON_LBN_SELCHANGE_RANGE(41, 46, &CProbeDlg::OnRangeChoice),
    ON_LBN_DBLCLK_RANGE(41, 46, &CProbeDlg::OnRangeChoice),
};

// A class whose table falls back on its base class's table.
class CDerivedProbeDlg : public CProbeDlg {
protected:
    const CMessageMap* GetMessageMap() const override { return &kDerivedMap; }

private:
    LRESULT OnOther(WPARAM, LPARAM)
    {
        log.push_back("other");
        return 1;
    }
    static const CMessageMap kDerivedMap;
};

const CMessageMap CDerivedProbeDlg::kDerivedMap = {&CProbeDlg::kMessageMap,
    {
        ON_MESSAGE(WM_USER + 3, &CDerivedProbeDlg::OnOther),
    }};

// A maker takes only the handler its message carries: a close handler cannot
// stand for a button press, nor a raw handler for a notification range.
template <class Handler>
concept LButtonDownHandler = requires(Handler handler) { ON_WM_LBUTTONDOWN(handler); };
template <class Handler>
concept RangeHandler = requires(Handler handler) { ON_LBN_SELCHANGE_RANGE(31, 36, handler); };
static_assert(LButtonDownHandler<void (CProbeDlg::*)(UINT, CPoint)>);
static_assert(!LButtonDownHandler<void (CProbeDlg::*)()>);
static_assert(!LButtonDownHandler<LRESULT (CProbeDlg::*)(WPARAM, LPARAM)>);
static_assert(RangeHandler<void (CProbeDlg::*)(UINT)>);
static_assert(!RangeHandler<void (CProbeDlg::*)()>);

using MessageMapTest = HeadlessTest;

TEST_F(MessageMapTest, EntriesReceiveTheirParametersUnpacked)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 7));
    EXPECT_EQ(dlg.SendMessage(WM_USER + 2, 7, 3), 703);
    DEV_BROADCAST_HDR header{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_DEVICEINTERFACE, 0};
    EXPECT_EQ(dlg.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&header)), TRUE);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"down 1 -5,7", "note 7 3", "device 32768 5"}));
}

TEST_F(MessageMapTest, NotificationsMatchControlIdAndCode)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(32, LBN_SELCHANGE));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(31, LBN_DBLCLK));
    EXPECT_TRUE(dlg.log.empty());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(31, LBN_SELCHANGE));
    EXPECT_EQ(dlg.log, std::vector<std::string>{"select 31"});
}

TEST_F(MessageMapTest, RangeEntriesTellTheHandlerWhichControlNotified)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    for (const WORD id : {40, 41, 46, 47}) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE));
    }
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(44, LBN_DBLCLK));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(44, EN_CHANGE));
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"choice 41", "choice 46", "choice 44"}));
}

TEST_F(MessageMapTest, MessagesWithoutEntryGetTheDefaultAndBaseTablesAreSearched)
{
    CDerivedProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    EXPECT_EQ(dlg.SendMessage(WM_USER + 9, 1, 2), 0);
    EXPECT_EQ(dlg.SendMessage(WM_USER + 3), 1);
    EXPECT_EQ(dlg.SendMessage(WM_USER + 2, 1, 1), 101);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"other", "note 1 1"}));
}

TEST_F(MessageMapTest, SendIsSynchronousAndPostWaitsForTheLoopInOrder)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    EXPECT_TRUE(PostMessageW(dlg, WM_USER + 2, 1, 0));
    EXPECT_TRUE(dlg.PostMessage(WM_USER + 2, 2, 0));
    SendMessageW(dlg, WM_USER + 2, 3, 0);
    EXPECT_EQ(dlg.log, std::vector<std::string>{"note 3 0"});
    wndtest::PumpMessages();
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"note 3 0", "note 1 0", "note 2 0"}));
}

TEST_F(MessageMapTest, MessagesForAGoneWindowAreDropped)
{
    HWND gone = nullptr;
    {
        CProbeDlg dlg;
        ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
        gone = dlg;
        EXPECT_TRUE(dlg.PostMessage(WM_USER + 2, 1, 0));
    }
    wndtest::PumpMessages();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessageW(gone, WM_USER + 2, 1, 0));
    EXPECT_EQ(SendMessageW(gone, WM_USER + 2, 1, 0), 0);
}

TEST_F(MessageMapTest, PreTranslationSeesQueuedMessagesOnlyAndMayConsumeThem)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    dlg.consume = WM_USER + 2;
    dlg.PostMessage(WM_USER + 2, 1, 0);
    wndtest::PumpMessages();
    EXPECT_TRUE(dlg.log.empty());
    dlg.SendMessage(WM_USER + 2, 2, 0);
    EXPECT_EQ(dlg.log, std::vector<std::string>{"note 2 0"});
}

TEST_F(MessageMapTest, PreTranslationWalksFromAControlToItsParent)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 110, 110), &dlg, 31));
    PostMessageW(list, WM_USER + 5, 0, 0);
    PostMessageW(dlg, WM_USER + 5, 0, 0);
    wndtest::PumpMessages();
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"pre-child", "pre-self"}));
}

TEST_F(MessageMapTest, DestroyingAWindowDestroysItsControls)
{
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &dlg, 31));
    EXPECT_EQ(dlg.GetDlgItem(31), &list);
    const HWND listHandle = list;
    dlg.DestroyWindow();
    EXPECT_FALSE(IsWindow(listHandle));
    EXPECT_EQ(list.m_hWnd, nullptr);
    EXPECT_EQ(list.AddString(u"x"), LB_ERR);
}

}  // namespace
