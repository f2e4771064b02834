// SPDX-License-Identifier: GPL-3.0-or-later
// List box and edit controls: notifications to the parent, selection,
// item from point, digits-only typing, and colours from WM_CTLCOLOR.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/edit.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/vkeys.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr COLORREF kSkinText = RGB(0, 255, 198);
constexpr COLORREF kListBackground = RGB(26, 54, 51);
constexpr CRect kListRect(49, 143, 177, 283);
constexpr int kItemHeight = 16;

// A skinned dialog's answer to WM_CTLCOLOR: skin text on the list colour,
// transparent text background, its own font.
class CHostDlg : public CDialog {
public:
    CHostDlg() : CDialog(test_dialogs::kPlain)
    {
        LOGFONTW font;
        font.lfHeight = 14;
        font.lfWeight = FW_NORMAL;
        font.lfPitchAndFamily = FF_SWISS;
        std::u16string_view face = u"Arial";
        face.copy(font.lfFaceName, face.size());
        m_font.CreateFontIndirect(&font);
    }

    CListBox list;
    CEdit times;
    CEdit makeTime;
    std::vector<std::string> log;
    std::vector<HWND> premoved;  // windows of mouse moves seen by pre-translation
    std::function<void()> afterSelect;

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_MOUSEMOVE) {
            premoved.push_back(msg->hwnd);
        }
        return CDialog::PreTranslateMessage(msg);
    }
    void OnOK() override { log.push_back("ok"); }

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnSelChange()
    {
        log.push_back("sel " + std::to_string(list.GetCurSel()));
        if (afterSelect) {
            afterSelect();
        }
    }
    void OnDblClk() { log.push_back("dbl " + std::to_string(list.GetCurSel())); }
    void OnTimesChange()
    {
        std::u16string text;
        times.GetWindowText(text);
        log.push_back("change " + std::string(text.begin(), text.end()));
    }
    void OnMakeKillFocus() { log.push_back("killfocus 574"); }
    HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT ctlColor)
    {
        if (ctlColor != CTLCOLOR_LISTBOX && ctlColor != CTLCOLOR_EDIT) {
            return CDialog::OnCtlColor(dc, nullptr, ctlColor);
        }
        dc->SetTextColor(kSkinText);
        dc->SetBkMode(TRANSPARENT);
        dc->SelectObject(&m_font);
        m_brush.DeleteObject();
        m_brush.CreateSolidBrush(kListBackground);
        return m_brush;
    }

    CFont m_font;
    CBrush m_brush;
    static const CMessageMap kMessageMap;
};

const CMessageMap CHostDlg::kMessageMap = {
    ON_LBN_SELCHANGE(572, &CHostDlg::OnSelChange),
    ON_LBN_DBLCLK(572, &CHostDlg::OnDblClk),
    ON_EN_CHANGE(573, &CHostDlg::OnTimesChange),
    ON_EN_KILLFOCUS(574, &CHostDlg::OnMakeKillFocus),
    ON_WM_CTLCOLOR(&CHostDlg::OnCtlColor),
};

class ControlsTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        ASSERT_TRUE(m_dlg.Create(test_dialogs::kPlain.id));
        m_dlg.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_dlg.list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, kListRect, &m_dlg, 572));
        for (const char16_t* entry : {u"L-Button", u"R-Button", u"M-Button", u"Forward", u"Backward"}) {
            m_dlg.list.AddString(entry);
        }
        wndtest::PumpMessages();
    }

    // A point in the middle of item `index`, in list client coordinates.
    static CPoint ItemPoint(int index) { return CPoint(20, index * kItemHeight + kItemHeight / 2); }

    CHostDlg m_dlg;
};

TEST_F(ControlsTest, AClickSelectsAndNotifiesEvenForTheSelectedItem)
{
    wndtest::Click(m_dlg.list, ItemPoint(2));
    EXPECT_EQ(m_dlg.list.GetCurSel(), 2);
    wndtest::Click(m_dlg.list, ItemPoint(2));
    EXPECT_EQ(m_dlg.log, (std::vector<std::string>{"sel 2", "sel 2"}));
}

TEST_F(ControlsTest, AChoiceMayCloseTheListAndRunADialogFromItsNotification)
{
    m_dlg.afterSelect = [this] {
        m_dlg.list.DestroyWindow();
        CDialog inner(test_dialogs::Plain(1702), &m_dlg);
        wndtest::QueueModalAction([&inner](HWND) { inner.EndDialog(IDOK); });
        EXPECT_EQ(inner.DoModal(), IDOK);
    };
    wndtest::Click(m_dlg.list, ItemPoint(1));
    EXPECT_EQ(m_dlg.log, std::vector<std::string>{"sel 1"});
    EXPECT_EQ(m_dlg.list.m_hWnd, nullptr);
    EXPECT_EQ(m_dlg.GetDlgItem(572), nullptr);
}

TEST_F(ControlsTest, ADoubleClickNotifiesItToo)
{
    wndtest::DoubleClick(m_dlg.list, ItemPoint(1));
    ASSERT_FALSE(m_dlg.log.empty());
    EXPECT_NE(std::find(m_dlg.log.begin(), m_dlg.log.end(), "dbl 1"), m_dlg.log.end());
}

TEST_F(ControlsTest, ClicksOnTheDialogReachTheListThroughTheDialog)
{
    wndtest::Click(m_dlg, CPoint(kListRect.left + 20, kListRect.top + 1 + ItemPoint(3).y));
    EXPECT_EQ(m_dlg.log, std::vector<std::string>{"sel 3"});
}

TEST_F(ControlsTest, SelectingFromCodeNotifiesNobody)
{
    EXPECT_EQ(m_dlg.list.SetCurSel(3), 3);
    EXPECT_EQ(m_dlg.list.GetCurSel(), 3);
    EXPECT_EQ(m_dlg.list.SetCurSel(9), LB_ERR);
    EXPECT_EQ(m_dlg.list.SetCurSel(-1), LB_ERR);
    EXPECT_EQ(m_dlg.list.GetCurSel(), LB_ERR);
    EXPECT_TRUE(m_dlg.log.empty());
    std::u16string text;
    EXPECT_EQ(m_dlg.list.GetText(4, text), 8);
    EXPECT_EQ(text, u"Backward");
    EXPECT_EQ(m_dlg.list.GetText(5, text), LB_ERR);
}

TEST_F(ControlsTest, MovingTheSelectionWithTheKeyboardNotifies)
{
    wndtest::Click(m_dlg.list, ItemPoint(1));
    wndtest::KeyPress(m_dlg, VK_DOWN, true);
    EXPECT_EQ(m_dlg.list.GetCurSel(), 2);
    EXPECT_EQ(m_dlg.log, (std::vector<std::string>{"sel 1", "sel 2"}));
}

TEST_F(ControlsTest, ItemFromPointGivesTheNearestItem)
{
    BOOL outside = TRUE;
    EXPECT_EQ(m_dlg.list.ItemFromPoint(ItemPoint(1), outside), 1u);
    EXPECT_FALSE(outside);
    EXPECT_EQ(m_dlg.list.ItemFromPoint(CPoint(20, 120), outside), 4u);
    EXPECT_FALSE(outside);
    EXPECT_EQ(m_dlg.list.ItemFromPoint(CPoint(20, -3), outside), 0u);
    EXPECT_TRUE(outside);
}

TEST_F(ControlsTest, PointerMovesOverTheListPassTheDialogsPreTranslation)
{
    wndtest::MouseMove(m_dlg.list, ItemPoint(0));
    ASSERT_FALSE(m_dlg.premoved.empty());
    EXPECT_EQ(m_dlg.premoved.back(), m_dlg.list.m_hWnd);
}

TEST_F(ControlsTest, TheItemUnderTheCursorIsFoundFromScreenCoordinates)
{
    wndtest::MouseMove(m_dlg.list, ItemPoint(3));
    CPoint cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    CRect listRect;
    m_dlg.list.GetWindowRect(&listRect);
    EXPECT_TRUE(listRect.PtInRect(cursor));
    EXPECT_EQ(WindowFromPoint(cursor), m_dlg.list.m_hWnd);
    m_dlg.list.ScreenToClient(&cursor);
    EXPECT_EQ(cursor, ItemPoint(3));
    BOOL outside = TRUE;
    EXPECT_EQ(m_dlg.list.ItemFromPoint(cursor, outside), 3u);
    EXPECT_FALSE(outside);
}

TEST_F(ControlsTest, ListItemsAreDrawnInTheParentsColours)
{
    const CPoint origin(kListRect.left + 1, kListRect.top + 1);  // inside the border
    const wndtest::WindowImage shown = wndtest::GrabWindow(m_dlg);
    ASSERT_EQ(shown.width, 400);
    // Right of the text: the brush; below the items the brush as well.
    EXPECT_EQ(shown.At(origin.x + 110, origin.y + 8), kListBackground);
    EXPECT_EQ(shown.At(origin.x + 60, origin.y + 120), kListBackground);
    // In the first item's text, the skin colour at full coverage, and no
    // other colour than the two and their blends.
    int textPixels = 0;
    for (int y = origin.y; y < origin.y + kItemHeight; ++y) {
        for (int x = origin.x; x < origin.x + 80; ++x) {
            textPixels += shown.At(x, y) == kSkinText ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 0);
}

class EditTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_dlg.list.DestroyWindow();
        const DWORD style = WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER;
        ASSERT_TRUE(m_dlg.times.Create(style, CRect(106, 115, 225, 137), &m_dlg, 573));
        ASSERT_TRUE(m_dlg.makeTime.Create(style, CRect(106, 154, 225, 176), &m_dlg, 574));
        wndtest::PumpMessages();
        m_dlg.log.clear();
    }
};

TEST_F(EditTest, OnlyDigitsCanBeTypedAndEachChangeIsReported)
{
    wndtest::Focus(m_dlg.times);
    wndtest::TypeText(m_dlg, u"1a2");
    std::u16string text;
    m_dlg.times.GetWindowText(text);
    EXPECT_EQ(text, u"12");
    EXPECT_EQ(m_dlg.log, (std::vector<std::string>{"change 1", "change 12"}));
}

TEST_F(EditTest, SettingTheTextReportsAChangeToo)
{
    m_dlg.times.SetWindowText(u"128");
    m_dlg.times.SetWindowText(u"1");
    EXPECT_EQ(m_dlg.log, (std::vector<std::string>{"change 128", "change 1"}));
    EXPECT_EQ(m_dlg.times.GetWindowTextLength(), 1);
}

TEST_F(EditTest, LosingTheFocusIsReported)
{
    wndtest::Focus(m_dlg.makeTime);
    EXPECT_TRUE(m_dlg.log.empty());
    wndtest::Click(m_dlg, CPoint(150, 125));  // into the times edit
    EXPECT_EQ(m_dlg.log, std::vector<std::string>{"killfocus 574"});
    EXPECT_EQ(GetFocus(), m_dlg.times.m_hWnd);
}

TEST_F(EditTest, EnterInAnEditIsTheDialogsKey)
{
    wndtest::Focus(m_dlg.times);
    wndtest::KeyPress(m_dlg, VK_RETURN);
    EXPECT_EQ(m_dlg.log, std::vector<std::string>{"ok"});
}

TEST_F(EditTest, TheEditIsPaintedOnTheParentsBrush)
{
    EXPECT_EQ(wndtest::WindowPixel(m_dlg, CPoint(108, 117)), kListBackground);
}

}  // namespace
