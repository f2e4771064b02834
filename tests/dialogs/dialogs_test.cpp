// SPDX-License-Identifier: GPL-3.0-or-later
// What single dialogs add to the frame, where a script through the whole
// program cannot reach: the keyboard hook's life and its failure, the snipe
// list following the DPI table in force, numbers too long for any range, the
// language of the entries and of a blank dialog's list.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/fire_key_dialog.h"
#include "dialogs/keys_recover_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "dialogs/snipe_dialog.h"
#include "platform/module.h"
#include "platform/wnd/hook.h"
#include "platform/wnd/list_box.h"
#include "settings/exe_path.h"
#include "tests/dialogs/dialogs_fixture.h"

namespace {

constexpr CPoint kSave{200, 270};
constexpr CPoint kListBox{100, 126};

std::vector<std::u16string> ListEntries(HWND dialog, int listId)
{
    std::vector<std::u16string> entries;
    const auto* list = dynamic_cast<const CListBox*>(CWnd::FromHandle(dialog)->GetDlgItem(listId));
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        list->GetText(i, entries.emplace_back());
    }
    return entries;
}

using SingleDialogTest = DialogsTest;

TEST_F(SingleDialogTest, TheHookLivesAsLongAsTheDialogAndTheNameStartsEmptyEachTime)
{
    const std::size_t hooks = KeyboardHookCountForTesting();
    std::size_t whileOpen = 0;
    CSingleDialog first(nullptr);
    wndtest::QueueModalAction([&](HWND window) {
        whileOpen = KeyboardHookCountForTesting();
        wndtest::KeyPress(window, 'Q');
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.KeyName(), u"Q");
    EXPECT_EQ(whileOpen, hooks + 1);
    EXPECT_EQ(KeyboardHookCountForTesting(), hooks);

    CSingleDialog second(nullptr);
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, kSave); });
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.KeyName(), u"");
}

TEST_F(SingleDialogTest, AHookThatFailsToInstallIsReportedAndTheDialogCapturesNothing)
{
    constexpr DWORD kNotEnoughQuota = 1816;
    const std::size_t hooks = KeyboardHookCountForTesting();
    FailNextHookForTesting(kNotEnoughQuota);
    CSingleDialog dialog(nullptr);
    HWND shown = nullptr;
    wndtest::QueueModalAction([&](HWND window) {
        shown = window;
        wndtest::KeyPress(window, 'Q');
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].owner, shown);
    EXPECT_EQ(m_boxes.boxes[0].text, u"KeyboardHook_SingleDlgKey Install error code :1816\n");
    EXPECT_EQ(m_boxes.boxes[0].caption, ApplicationName());
    EXPECT_EQ(dialog.KeyName(), u"");
    EXPECT_EQ(KeyboardHookCountForTesting(), hooks);
}

using SnipeDialogTest = DialogsTest;

TEST_F(SnipeDialogTest, TheListOffersTheTableInForceWhenItIsMade)
{
    std::uint8_t dpiTableSet = 1;
    CSnipeDialog dialog(dpiTableSet, nullptr);
    std::u16string initial;
    std::vector<std::u16string> entries;
    wndtest::QueueModalAction([&](HWND window) {
        initial = dialog.DropDownText();
        dpiTableSet = 3;  // a mouse with another table came in meanwhile
        wndtest::Click(window, kListBox);
        entries = ListEntries(window, kSnipeDialog.dropDown.listId);
        wndtest::Click(window, {100, 184});  // the third entry
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(initial, u"600");
    EXPECT_EQ(entries, (std::vector<std::u16string>{u"400", u"800", u"1200", u"1600", u"2000", u"2400", u"2800",
                           u"3200"}));
    EXPECT_EQ(dialog.ChosenPosition(), 2);
    EXPECT_EQ(dialog.DropDownText(), u"1200");
}

TEST_F(SnipeDialogTest, ATableOutsideTheFourOffersNothing)
{
    std::uint8_t dpiTableSet = 4;
    CSnipeDialog dialog(dpiTableSet, nullptr);
    std::vector<std::u16string> entries{u"not read"};
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::Click(window, kListBox);
        entries = ListEntries(window, kSnipeDialog.dropDown.listId);
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(dialog.DropDownText(), u"");
    EXPECT_EQ(dialog.ChosenPosition(), 0);
}

using FireKeyDialogTest = DialogsTest;

// Twenty digits would wrap round a 64-bit number into range; they are out of
// range, as the number they show is. (Typed, the times never get past three
// digits: each keystroke is checked.)
TEST_F(FireKeyDialogTest, NumbersTooLongForAnyRangeAreCorrected)
{
    CFireKeyDialog dialog(nullptr);
    std::u16string times;
    wndtest::QueueModalAction([&](HWND window) {
        CWnd* timesEdit = CWnd::FromHandle(window)->GetDlgItem(573);
        const HWND makeEdit = CWnd::FromHandle(window)->GetDlgItem(574)->m_hWnd;
        timesEdit->SetWindowText(u"18446744073709551617");  // as pasted
        timesEdit->GetWindowText(times);
        wndtest::Focus(makeEdit);
        wndtest::TypeText(makeEdit, u"18446744073709551617");
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(times, u"1");
    EXPECT_EQ(dialog.Times(), 1);
    EXPECT_EQ(dialog.MakeTime(), 5);
    EXPECT_EQ(dialog.BreakTime(), 5);
}

using ListDialogTest = DialogsTest;

TEST_F(ListDialogTest, EntriesAndTheFirstTextFollowTheSystemLanguage)
{
    const std::pair<LANGID, std::vector<std::u16string>> languages[] = {
        {1028, {u"複製", u"剪切", u"粘貼", u"全選", u"打開", u"新建", u"保存", u"撤銷"}},
        {2052, {u"复制", u"剪切", u"粘贴", u"全选", u"打开", u"新建", u"保存", u"撤销"}},
        {4100, {u"Copy", u"Cut", u"Paste", u"Select all", u"Open", u"New", u"Save", u"Undo"}},
    };
    for (const auto& [langId, expected] : languages) {
        UseLanguage(langId);
        CHotKeyDialog dialog(nullptr);
        std::vector<std::u16string> entries;
        wndtest::QueueModalAction([&](HWND window) {
            wndtest::Click(window, kListBox);
            entries = ListEntries(window, kHotKeyDialog.dropDown.listId);
            wndtest::Click(window, kSave);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(entries, expected) << langId;
        EXPECT_EQ(dialog.DropDownText(), expected.front()) << langId;
        EXPECT_EQ(dialog.ChosenPosition(), 0);
    }
}

TEST_F(ListDialogTest, ADialogWithoutItsPictureHasNoTextsButItsListIsInTheLanguage)
{
    UseLanguage(2052);
    SetModulePathForTesting(u"/nonexistent/KX-507");
    CMediaDialog dialog(nullptr);
    std::vector<std::u16string> entries;
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::Click(window, kListBox);
        entries = ListEntries(window, kMediaDialog.dropDown.listId);
        wndtest::Click(window, {100, 152 + 16 * 5});  // "音量+"
        wndtest::Click(window, kSave);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, u"error");
    EXPECT_EQ(m_boxes.boxes[0].caption, u"Media Dialog Load background image failed!!!");
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries.front(), u"下一首");
    EXPECT_EQ(dialog.ChosenPosition(), 5);
    EXPECT_EQ(dialog.DropDownText(), u"音量+");
}

}  // namespace
