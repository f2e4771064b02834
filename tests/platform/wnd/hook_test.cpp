// SPDX-License-Identifier: GPL-3.0-or-later
// The per-thread keyboard hook: what it sees of each key message, in which
// order the chain runs, and that it comes before pre-translation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hid.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/hook.h"
#include "platform/wnd/vkeys.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

struct HookCall {
    int code;
    WPARAM virtualKey;
    LPARAM flags;
};

std::vector<std::string> g_order;
std::vector<HookCall> g_calls;
HHOOK g_older = nullptr;
HHOOK g_newer = nullptr;
bool g_newerSwallows = false;

LRESULT CALLBACK_Older(int code, WPARAM wParam, LPARAM lParam)
{
    g_order.push_back("older");
    g_calls.push_back({code, wParam, lParam});
    return CallNextHookEx(g_older, code, wParam, lParam);
}

LRESULT CALLBACK_Newer(int code, WPARAM wParam, LPARAM lParam)
{
    g_order.push_back("newer");
    if (g_newerSwallows) {
        return 1;
    }
    return CallNextHookEx(g_newer, code, wParam, lParam);
}

UINT ScanCode(LPARAM flags) { return static_cast<UINT>((flags >> 16) & 0xFF); }
bool Extended(LPARAM flags) { return ((flags >> 24) & 1) != 0; }
bool WasDown(LPARAM flags) { return ((flags >> 30) & 1) != 0; }
bool Released(LPARAM flags) { return ((flags >> 31) & 1) != 0; }

class CKeyDlg : public CDialog {
public:
    CKeyDlg() : CDialog(test_dialogs::kPlain) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            g_order.push_back("pre");
        }
        return FALSE;
    }

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnKeyDown(UINT, UINT, UINT) { g_order.push_back("keydown"); }
    static const CMessageMap kMessageMap;
};

const CMessageMap CKeyDlg::kMessageMap = {
    ON_WM_KEYDOWN(&CKeyDlg::OnKeyDown),
};

class HookTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        g_order.clear();
        g_calls.clear();
        g_newerSwallows = false;
        ASSERT_TRUE(m_dlg.Create(test_dialogs::kPlain.id));
        m_dlg.ShowWindow(SW_SHOW);
        g_older = SetWindowsHookExW(WH_KEYBOARD, CALLBACK_Older, nullptr, GetCurrentThreadId());
        ASSERT_NE(g_older, nullptr);
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(g_newer);
        UnhookWindowsHookEx(g_older);
        g_newer = g_older = nullptr;
        HeadlessTest::TearDown();
    }
    CKeyDlg m_dlg;
};

TEST_F(HookTest, TheHookSeesEachKeyMessageBeforePreTranslationAndDispatch)
{
    wndtest::KeyDown(m_dlg, 'A');
    EXPECT_EQ(g_order, (std::vector<std::string>{"older", "pre", "keydown"}));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].code, HC_ACTION);
    EXPECT_EQ(g_calls[0].virtualKey, 'A');
    EXPECT_EQ(ScanCode(g_calls[0].flags), 0x1Eu);
}

TEST_F(HookTest, KeystrokeFlagsCarryScanCodeExtendedBitAndTransition)
{
    wndtest::KeyDown(m_dlg, VK_CONTROL, true);
    wndtest::KeyDown(m_dlg, VK_CONTROL, true, true);
    wndtest::KeyUp(m_dlg, VK_CONTROL, true);
    wndtest::KeyPress(m_dlg, VK_NUMPAD0 + 5);
    wndtest::KeyPress(m_dlg, VK_RETURN, true);
    ASSERT_EQ(g_calls.size(), 7u);
    EXPECT_EQ(g_calls[0].virtualKey, VK_CONTROL);
    EXPECT_EQ(ScanCode(g_calls[0].flags), 0x1Du);
    EXPECT_TRUE(Extended(g_calls[0].flags));
    EXPECT_FALSE(WasDown(g_calls[0].flags));
    EXPECT_TRUE(WasDown(g_calls[1].flags));
    EXPECT_FALSE(Released(g_calls[1].flags));
    EXPECT_TRUE(Released(g_calls[2].flags));
    EXPECT_EQ(g_calls[3].virtualKey, VK_NUMPAD0 + 5);
    EXPECT_EQ(ScanCode(g_calls[3].flags), 0x4Cu);
    EXPECT_FALSE(Extended(g_calls[3].flags));
    EXPECT_EQ(g_calls[5].virtualKey, VK_RETURN);
    EXPECT_EQ(ScanCode(g_calls[5].flags), 0x1Cu);
    EXPECT_TRUE(Extended(g_calls[5].flags));
}

TEST_F(HookTest, TheNewestHookRunsFirstAndMaySwallowTheMessage)
{
    g_newer = SetWindowsHookExW(WH_KEYBOARD, CALLBACK_Newer, nullptr, GetCurrentThreadId());
    wndtest::KeyDown(m_dlg, 'B');
    EXPECT_EQ(g_order, (std::vector<std::string>{"newer", "older", "pre", "keydown"}));
    g_order.clear();
    g_newerSwallows = true;
    wndtest::KeyDown(m_dlg, 'B');
    EXPECT_EQ(g_order, std::vector<std::string>{"newer"});
}

TEST_F(HookTest, AnUnhookedProcedureIsNotCalledAgain)
{
    EXPECT_TRUE(UnhookWindowsHookEx(g_older));
    EXPECT_FALSE(UnhookWindowsHookEx(g_older));
    g_older = nullptr;
    wndtest::KeyDown(m_dlg, 'C');
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(HookTest, OnlyAKeyboardHookOfThisThreadCanBeInstalled)
{
    EXPECT_EQ(SetWindowsHookExW(13, CALLBACK_Newer, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_FILTER);
    EXPECT_EQ(SetWindowsHookExW(WH_KEYBOARD, nullptr, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FILTER_PROC);
    EXPECT_EQ(SetWindowsHookExW(WH_KEYBOARD, CALLBACK_Newer, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_HOOK_NEEDS_HMOD);
}

TEST_F(HookTest, AFailureAskedForByATestFailsTheNextInstallationOnly)
{
    constexpr DWORD kNotEnoughQuota = 1816;
    const std::size_t before = KeyboardHookCountForTesting();
    FailNextHookForTesting(kNotEnoughQuota);
    EXPECT_EQ(SetWindowsHookExW(WH_KEYBOARD, CALLBACK_Newer, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetLastError(), kNotEnoughQuota);
    EXPECT_EQ(KeyboardHookCountForTesting(), before);
    g_newer = SetWindowsHookExW(WH_KEYBOARD, CALLBACK_Newer, nullptr, GetCurrentThreadId());
    EXPECT_NE(g_newer, nullptr);
    EXPECT_EQ(KeyboardHookCountForTesting(), before + 1);
}

}  // namespace
