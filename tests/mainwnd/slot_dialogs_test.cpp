// SPDX-License-Identifier: GPL-3.0-or-later
// The key page's seam to the dialogs: each function runs its dialog over the
// window and hands back how it ended and what was chosen; one dialog at a time.

#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "mainwnd/slot_dialogs.h"
#include "platform/services/system_info.h"
#include "platform/wnd/cdialog.h"
#include "settings/dpi_tables.h"
#include "settings/exe_path.h"
#include "tests/support/headless.h"
#include "tests/support/output_folder.h"
#include "tests/support/process_state.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr CPoint kSave{200, 270};

class AssignmentDialogsTest : public HeadlessProgramTest {
protected:
    void SetUp() override
    {
        HeadlessProgramTest::SetUp();
        SetModulePathForTesting((std::filesystem::path(BuildOutputFolder()) / "KX-507").u16string());
        SetSystemDefaultLangIdForTesting(1033);
        ASSERT_TRUE(m_owner.Create(test_dialogs::kPlain.id));
    }
    void TearDown() override
    {
        SetSystemDefaultLangIdForTesting(std::nullopt);
        SetModulePathForTesting(std::nullopt);
        HeadlessProgramTest::TearDown();
    }

    static int OpenDialogs(UINT templateId)
    {
        int count = 0;
        for (HWND handle : CWnd::AllWindows()) {
            const auto* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandle(handle));
            count += dialog != nullptr && dialog->TemplateId() == templateId ? 1 : 0;
        }
        return count;
    }

    CDialog m_owner{test_dialogs::kPlain};
    CAssignmentDialogs m_dialogs;
};

TEST_F(AssignmentDialogsTest, AConfirmedDialogHandsBackItsValues)
{
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, kSave); });
    const SlotDialogResult fireResult = m_dialogs.RunSlotDialog(SlotDialog::FireKey, m_owner);
    const auto* fire = std::get_if<FireKeyChoice>(&fireResult);
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->position, 0);
    EXPECT_EQ(fire->text, u"L-Button");
    EXPECT_EQ(fire->repeatCount, 1);
    EXPECT_EQ(fire->makeTime, 5);
    EXPECT_EQ(fire->breakTime, 5);

    DpiTableSet = 3;
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, kSave); });
    const SlotDialogResult snipeResult = m_dialogs.RunSlotDialog(SlotDialog::Snipe, m_owner);
    const auto* snipe = std::get_if<ListChoice>(&snipeResult);
    ASSERT_NE(snipe, nullptr);
    EXPECT_EQ(snipe->text, u"400");
}

TEST_F(AssignmentDialogsTest, ADialogAskedForWhileOneIsOpenIsAnsweredCancelledWithoutASecond)
{
    SlotDialogResult nested = ListChoice{};
    INT_PTR nestedRecover = 0;
    int fireDialogsOpen = 0;
    wndtest::QueueModalAction([&](HWND window) {
        nested = m_dialogs.RunSlotDialog(SlotDialog::HotKey, m_owner);
        nestedRecover = m_dialogs.RunKeysRecoverDialog(m_owner);
        fireDialogsOpen = OpenDialogs(704);
        EXPECT_EQ(OpenDialogs(708) + OpenDialogs(710), 0);
        wndtest::Click(window, kSave);
    });
    EXPECT_TRUE(std::holds_alternative<FireKeyChoice>(m_dialogs.RunSlotDialog(SlotDialog::FireKey, m_owner)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(nested)) << "answered as cancelled";
    EXPECT_EQ(nestedRecover, IDCANCEL);
    EXPECT_EQ(fireDialogsOpen, 1);

    // Once it has ended, the next one runs.
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, kSave); });
    EXPECT_TRUE(std::holds_alternative<ListChoice>(m_dialogs.RunSlotDialog(SlotDialog::HotKey, m_owner)));
}

}  // namespace
