// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs as a screen reader and a keyboard user meet them: the
// accessible tree of every dialog in every language against the expected one
// (accessible_trees/*.txt; KX_WRITE_TREES=1 writes them anew for review), the
// focus walking the elements, the open list driven by the arrows and Space,
// the focus mark only once the keyboard was used, the default actions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "dialogs/fire_key_dialog.h"
#include "dialogs/keys_recover_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "dialogs/snipe_dialog.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/msg.h"
#include "platform/wnd/vkeys.h"
#include "tests/dialogs/dialogs_fixture.h"

namespace {

constexpr WORD kFireList = 572;

const std::uint8_t kDpiTable = 0;

struct NamedDialog {
    const char* name;
    std::function<std::unique_ptr<CAssignDialog>()> make;
};

std::vector<NamedDialog> AllDialogs()
{
    return {
        {"fire key", [] { return std::make_unique<CFireKeyDialog>(nullptr); }},
        {"single key", [] { return std::make_unique<CSingleDialog>(nullptr); }},
        {"hot key", [] { return std::make_unique<CHotKeyDialog>(nullptr); }},
        {"multimedia", [] { return std::make_unique<CMediaDialog>(nullptr); }},
        {"quick launch", [] { return std::make_unique<CWindowsDialog>(nullptr); }},
        {"snipe key", [] { return std::make_unique<CSnipeDialog>(kDpiTable, nullptr); }},
        {"restore defaults", [] { return std::make_unique<CKeysRecoverDialog>(nullptr); }},
    };
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class AccessibilityTest : public DialogsTest {};

class DialogTreeTest : public DialogsTest, public ::testing::WithParamInterface<std::pair<LANGID, std::string>> {};

TEST_P(DialogTreeTest, EveryDialogShowsItsElementsWithRolesNamesAndStates)
{
    const auto [langId, file] = GetParam();
    UseLanguage(langId);
    std::string trees;
    for (const NamedDialog& named : AllDialogs()) {
        const std::unique_ptr<CAssignDialog> dialog = named.make();
        wndtest::QueueModalAction([&](HWND window) {
            trees += std::string("# ") + named.name + "\n" + wndtest::AccessibleTree(window);
            if (CWnd::FromHandle(window)->AccessibleChildren().front().role == AccessibleRole::ComboBox) {
                wndtest::KeyPress(window, VK_TAB);
                wndtest::KeyPress(window, VK_SHIFT);
                wndtest::KeyDown(window, VK_SHIFT);
                wndtest::KeyPress(window, VK_TAB);
                wndtest::KeyUp(window, VK_SHIFT);
                wndtest::KeyPress(window, VK_SPACE);
                wndtest::KeyPress(window, VK_DOWN, true);
                trees += std::string("# ") + named.name + ", the list open\n" + wndtest::AccessibleTree(window);
            }
            // Exit: Esc is a key to capture in the single key dialog.
            const CRect exit = dialog->Row().buttons.cancel.rect;
            wndtest::Click(window, {(exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2});
        });
        dialog->DoModal();
        CKeyboardFocus::ResetKeyboardUse();
    }
    const std::string path = std::string(KX_TREES_DIR) + "/" + file;
    if (std::getenv("KX_WRITE_TREES") != nullptr) {
        std::ofstream(path, std::ios::binary) << trees;
    }
    EXPECT_EQ(trees, ReadFile(path));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogTreeTest,
    ::testing::Values(std::make_pair(LANGID{1033}, std::string("english.txt")),
        std::make_pair(LANGID{2052}, std::string("simplified.txt")),
        std::make_pair(LANGID{1028}, std::string("traditional.txt"))));

TEST_F(AccessibilityTest, TabWalksTheFireKeyDialogInReadingOrderAndShiftTabWalksBack)
{
    CFireKeyDialog dialog(nullptr);
    std::vector<HWND> realFocus;
    std::vector<CRect> marks;
    wndtest::QueueModalAction([&](HWND window) {
        const auto& self = *static_cast<CFireKeyDialog*>(CWnd::FromHandle(window));
        // Opened: the box is focused, with no mark until a key is used.
        EXPECT_EQ(self.KeyboardFocus().Focused(self)->role, AccessibleRole::ComboBox);
        EXPECT_FALSE(self.FocusMarkRect());
        for (int i = 0; i < 7; ++i) {
            wndtest::KeyPress(window, VK_TAB);
            realFocus.push_back(GetFocus());
            marks.push_back(self.FocusMarkRect().value_or(CRect()));
        }
        wndtest::KeyDown(window, VK_SHIFT);
        wndtest::KeyPress(window, VK_TAB);
        wndtest::KeyPress(window, VK_TAB);
        wndtest::KeyUp(window, VK_SHIFT);
        realFocus.push_back(GetFocus());
        marks.push_back(self.FocusMarkRect().value_or(CRect()));
        wndtest::KeyPress(window, VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(realFocus.size(), 8u);
    // Times, make time, break time take the real focus; the painted buttons
    // (Apply, Exit, Close) a mark; then round to the box.
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(realFocus[i], nullptr) << i;
        EXPECT_EQ(marks[i], CRect()) << i;
    }
    EXPECT_NE(realFocus[1], realFocus[0]);
    EXPECT_NE(realFocus[2], realFocus[1]);
    EXPECT_EQ(marks[3], kFireKeyDialog.buttons.confirm.rect);
    EXPECT_EQ(marks[4], kFireKeyDialog.buttons.cancel.rect);
    EXPECT_EQ(marks[5], kFireKeyDialog.buttons.close.rect);
    EXPECT_EQ(marks[6], kFireKeyDialog.dropDown.box);
    // Back twice from the box: Close, then Exit, and no edit keeps the focus.
    EXPECT_EQ(marks[7], kFireKeyDialog.buttons.cancel.rect);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(realFocus[7], realFocus[i]) << i;
    }
}

TEST_F(AccessibilityTest, TheArrowsMoveTheHighlightOfAnOpenListAndSpaceChooses)
{
    CFireKeyDialog dialog(nullptr);
    bool openAfterArrows = false;
    int highlighted = -1;
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::KeyPress(window, VK_SPACE);
        auto* list = dynamic_cast<CListBox*>(CWnd::FromHandle(window)->GetDlgItem(kFireList));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(GetFocus(), list->GetSafeHwnd());
        wndtest::KeyPress(window, VK_DOWN, true);
        wndtest::KeyPress(window, VK_DOWN, true);
        wndtest::KeyPress(window, VK_DOWN, true);
        wndtest::KeyPress(window, VK_UP, true);
        openAfterArrows = static_cast<CFireKeyDialog*>(CWnd::FromHandle(window))->IsListOpen();
        highlighted = list->GetCurSel();
        wndtest::KeyPress(window, VK_SPACE);
        // The box has the focus again, the edits are back: Enter confirms.
        wndtest::KeyPress(window, VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterArrows);
    // Nothing highlighted at first: the first Down takes the first entry.
    EXPECT_EQ(highlighted, 1);
    EXPECT_EQ(dialog.ChosenPosition(), 1);
    EXPECT_EQ(dialog.Times(), kFireTimesDefault);
}

TEST_F(AccessibilityTest, TypedTimesAreCheckedWhenTabLeavesTheirEdit)
{
    CFireKeyDialog dialog(nullptr);
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::KeyPress(window, VK_TAB);  // times, the caret after its "1"
        wndtest::TypeText(window, u"2");
        wndtest::KeyPress(window, VK_TAB);  // make time
        wndtest::KeyPress(window, VK_END, true);
        wndtest::KeyPress(window, VK_BACK);
        wndtest::TypeText(window, u"300");
        wndtest::KeyPress(window, VK_TAB);  // break time: make time was checked
        wndtest::KeyPress(window, VK_END, true);
        wndtest::KeyPress(window, VK_BACK);
        wndtest::TypeText(window, u"40");
        wndtest::KeyPress(window, VK_TAB);  // Apply
        wndtest::KeyPress(window, VK_SPACE);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.Times(), 12);
    EXPECT_EQ(dialog.MakeTime(), 5);
    EXPECT_EQ(dialog.BreakTime(), 40);
}

TEST_F(AccessibilityTest, TheMarkShowsOnlyOnceTheKeyboardIsUsedAndLeavesTheSurfaceAlone)
{
    CHotKeyDialog dialog(nullptr);
    COLORREF before = 0;
    COLORREF after = 0;
    bool surfaceSame = false;
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::Click(window, {390, 150});  // nothing there: the pointer alone
        before = wndtest::WindowPixel(window, {47, 126});
        const CBitmap* then = CWnd::FromHandle(window)->Surface();
        const std::vector<std::uint8_t> surface(then->Bits(), then->Bits() + static_cast<std::size_t>(then->Pitch()) * then->Height());
        wndtest::KeyPress(window, VK_TAB);
        wndtest::KeyDown(window, VK_SHIFT);
        wndtest::KeyPress(window, VK_TAB);
        wndtest::KeyUp(window, VK_SHIFT);
        after = wndtest::WindowPixel(window, {47, 126});
        const CBitmap* now = CWnd::FromHandle(window)->Surface();
        surfaceSame = std::equal(surface.begin(), surface.end(), now->Bits());
        wndtest::KeyPress(window, VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(before, after);
    EXPECT_EQ(after, RGB(0, 255, 198));
    EXPECT_TRUE(surfaceSame);
}

TEST_F(AccessibilityTest, TheSingleKeyDialogCapturesTabAndSpaceAsKeys)
{
    CSingleDialog dialog(nullptr);
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::KeyPress(window, VK_TAB);
        EXPECT_FALSE(static_cast<CDialog*>(CWnd::FromHandle(window))->FocusMarkRect());
        EXPECT_EQ(wndtest::AccessibleValue(window, "Key"), "Tab");
        wndtest::KeyPress(window, VK_SPACE);
        wndtest::Click(window, {200, 270});
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.KeyName(), u"Space");
}

// Labelled by "Key" and named by the key it shows, as a toolkit combo box
// with a label beside it; the value is not hidden in the description.
TEST_F(AccessibilityTest, TheBoxReadsAsALabelledComboBoxOfTheToolkit)
{
    CFireKeyDialog dialog(nullptr);
    wndtest::QueueModalAction([&](HWND window) {
        EXPECT_EQ(wndtest::AccessibleReading(window, "Key"), wndtest::LabelledComboBoxReading("Key", "L-Button"));
        wndtest::KeyPress(window, VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// A screen reader's press is the click: Exit cancels, Apply confirms, the
// box opens its list.
TEST_F(AccessibilityTest, EachDefaultActionDoesWhatAClickDoes)
{
    struct Case {
        const char* button;
        INT_PTR result;
    };
    for (const Case& c : {Case{"Exit", IDCANCEL}, Case{"Apply", IDOK}, Case{"Close", IDCANCEL}}) {
        CMediaDialog dialog(nullptr);
        bool opened = false;
        wndtest::QueueModalAction([&](HWND window) {
            EXPECT_TRUE(wndtest::AccessiblePress(window, "Function"));
            opened = static_cast<CMediaDialog*>(CWnd::FromHandle(window))->IsListOpen();
            EXPECT_TRUE(wndtest::AccessiblePress(window, c.button));
        });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.button;
        EXPECT_TRUE(opened) << c.button;
    }
}

}  // namespace
