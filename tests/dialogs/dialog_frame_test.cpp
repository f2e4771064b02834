// SPDX-License-Identifier: GPL-3.0-or-later
// The frame the dialogs share, seen on the dialogs themselves: the font per
// language and system version, texts centred where they are drawn, the
// skin's colours on the lists and edits.

#include <gtest/gtest.h>

#include "dialogs/dialog_rows.h"
#include "dialogs/fire_key_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "platform/gdi/font.h"
#include "platform/wnd/vkeys.h"
#include "skin/skin_fonts.h"
#include "tests/dialogs/dialogs_fixture.h"

namespace {

constexpr DWORD kVersion62 = 6 | (2 << 8);
constexpr DWORD kVersion61 = 6 | (1 << 8);

// The list dialogs' box without its border and arrow strip, and its centre.
constexpr CRect kBoxTextArea{52, 116, 146, 138};
constexpr double kBoxCentreBesideArrow = (49 + 177 - 28) / 2.0;
constexpr double kKeyBoxCentre = (49 + 177) / 2.0;

constexpr CPoint kExit{300, 270};
constexpr CPoint kListBox{100, 126};

TEST(DialogFont, FollowsTheLanguageAndOnChineseSystemsTheVersion)
{
    struct Case {
        LANGID langId;
        DWORD version;
        std::u16string face;
        LONG height;
    };
    const Case cases[] = {
        {2052, kVersion62, u"黑体", 13},
        {2052, kVersion61, u"宋体", 13},
        {1028, kVersion62, u"Arial", 14},
        {1033, kVersion61, u"Arial", 14},
        {3076, kVersion62, u"Arial", 14},
    };
    for (const Case& c : cases) {
        CFont font;
        CreateListFont(font, c.langId, c.version);
        EXPECT_EQ(font.FaceName(), c.face) << c.langId;
        EXPECT_EQ(font.LogFont().lfHeight, c.height) << c.langId;
        EXPECT_EQ(font.LogFont().lfWeight, FW_NORMAL);
        EXPECT_EQ(font.LogFont().lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(font.LogFont().lfPitchAndFamily, 0x20);
    }
}

using DialogFrameTest = DialogsTest;

TEST_F(DialogFrameTest, TheBoxTextIsCentredBesideTheArrowAndAChoiceIsCentredToo)
{
    CHotKeyDialog dialog(nullptr);
    Columns copy;
    Columns selectAll;
    wndtest::QueueModalAction([&](HWND window) {
        copy = TextColumns(wndtest::GrabWindow(window), kBoxTextArea);
        wndtest::Click(window, kListBox);
        wndtest::Click(window, {100, 200});  // "Select all"
        selectAll = TextColumns(wndtest::GrabWindow(window), kBoxTextArea);
        wndtest::Click(window, kExit);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_FALSE(copy.Empty());
    ASSERT_FALSE(selectAll.Empty());
    EXPECT_NEAR(copy.Centre(), kBoxCentreBesideArrow, 1.0);
    EXPECT_NEAR(selectAll.Centre(), kBoxCentreBesideArrow, 1.0);
    EXPECT_GT(selectAll.last - selectAll.first, copy.last - copy.first);
    EXPECT_EQ(dialog.DropDownText(), u"Select all");
}

TEST_F(DialogFrameTest, TheCapturedKeyNameIsCentredInTheWholeKeyBox)
{
    CSingleDialog dialog(nullptr);
    Columns before;
    Columns name;
    wndtest::QueueModalAction([&](HWND window) {
        before = TextColumns(wndtest::GrabWindow(window), kBoxTextArea);
        wndtest::KeyPress(window, 'W');
        name = TextColumns(wndtest::GrabWindow(window), kBoxTextArea);
        wndtest::Click(window, kExit);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(before.Empty());
    ASSERT_FALSE(name.Empty());
    EXPECT_NEAR(name.Centre(), kKeyBoxCentre, 1.0);
}

TEST_F(DialogFrameTest, EditsAndListsTakeTheSkinsColours)
{
    constexpr COLORREF kListBack = RGB(0x1A, 0x36, 0x33);
    CFireKeyDialog dialog(nullptr);
    COLORREF edit = 0;
    COLORREF list = 0;
    wndtest::QueueModalAction([&](HWND window) {
        edit = wndtest::WindowPixel(window, {110, 126});
        wndtest::Click(window, {150, 84});
        list = wndtest::WindowPixel(window, {190, 190});
        wndtest::Click(window, kExit);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(edit, kListBack);
    EXPECT_EQ(list, kListBack);
}

TEST_F(DialogFrameTest, TheDialogKeysConfirmAndCancelAndCloseIsACancel)
{
    const std::pair<UINT, INT_PTR> keys[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& [key, result] : keys) {
        CHotKeyDialog dialog(nullptr);
        wndtest::QueueModalAction([key = key](HWND window) { wndtest::KeyPress(window, key); });
        EXPECT_EQ(dialog.DoModal(), result);
    }
    CHotKeyDialog dialog(nullptr);
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, {380, 15}); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_boxes.boxes.empty());
}

// Each dialog's window is made from its own template as big as its frame:
// the buttons and the drop-down's box inside it, the close button in its top
// right corner. A template of the wrong size leaves a button off the window
// or a strip of it never painted.
TEST_F(DialogFrameTest, EachDialogIsMadeAsBigAsItsFrame)
{
    for (const AssignDialogRow* row : {&kSingleKeyDialog, &kWindowsDialog, &kMediaDialog, &kFireKeyDialog,
                                       &kHotKeyDialog, &kSnipeDialog, &kKeysRecoverDialog}) {
        const UINT id = row->dialogTemplate.id;
        CDialog window(row->dialogTemplate);
        ASSERT_TRUE(window.Create(id)) << id;
        CRect client;
        window.GetClientRect(&client);
        const auto inside = [&client](const CRect& rect) {
            return rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom;
        };
        for (const ImageButton* button : {&row->buttons.confirm, &row->buttons.cancel, &row->buttons.close}) {
            EXPECT_TRUE(inside(button->rect)) << id << " button at " << button->rect.left;
        }
        EXPECT_TRUE(!row->HasDropDown() || inside(row->dropDown.box)) << id;
        EXPECT_EQ(row->buttons.close.rect.top, 0) << id;
        EXPECT_LE(client.right - row->buttons.close.rect.right, 3) << id;
        EXPECT_GE(client.bottom - row->buttons.confirm.rect.bottom, 14) << id << " room below the buttons";
        EXPECT_LE(client.bottom - row->buttons.confirm.rect.bottom, 30) << id << " no more than the frame's edge";
    }
}

}  // namespace
