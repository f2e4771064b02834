// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/slot_dialogs.h"

#include "dialogs/fire_key_dialog.h"
#include "dialogs/keys_recover_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "dialogs/snipe_dialog.h"
#include "settings/dpi_tables.h"

namespace {

// One assignment dialog at a time: a request made from inside an open one's
// modal loop is answered as cancelled, without a second dialog over the first.
template <class Result, class Run>
Result OneAtATime(bool& running, Result cancelled, Run run)
{
    if (running) {
        return cancelled;
    }
    running = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running};
    return run();
}

template <class Dialog>
SlotDialogResult ListDialogChoice(Dialog& dialog)
{
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    return ListChoice{dialog.ChosenPosition(), dialog.DropDownText()};
}

template <class Dialog>
SlotDialogResult RunListDialog(CWnd& owner)
{
    Dialog dialog(&owner);
    return ListDialogChoice(dialog);
}

// The list offers the values of the DPI table in force when it is made.
SlotDialogResult RunSnipeDialog(CWnd& owner)
{
    CSnipeDialog dialog(DpiTableSet, &owner);
    return ListDialogChoice(dialog);
}

SlotDialogResult RunFireKeyDialog(CWnd& owner)
{
    CFireKeyDialog dialog(&owner);
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    return FireKeyChoice{dialog.ChosenPosition(), dialog.DropDownText(), dialog.Times(), dialog.MakeTime(),
                         dialog.BreakTime()};
}

SlotDialogResult RunSingleKeyDialog(CWnd& owner)
{
    CSingleDialog dialog(&owner);
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    return SingleKeyChoice{dialog.KeyName()};
}

using DialogRunner = SlotDialogResult (*)(CWnd& owner);

// In the order of SlotDialog.
constexpr DialogRunner kRunners[] = {
    &RunListDialog<CWindowsDialog>, &RunListDialog<CMediaDialog>, &RunListDialog<CHotKeyDialog>,
    &RunFireKeyDialog,              &RunSingleKeyDialog,          &RunSnipeDialog,
};

}  // namespace

SlotDialogResult CAssignmentDialogs::RunSlotDialog(SlotDialog dialog, CWnd& owner)
{
    return OneAtATime(m_running, SlotDialogResult{}, [&] { return kRunners[static_cast<int>(dialog)](owner); });
}

INT_PTR CAssignmentDialogs::RunKeysRecoverDialog(CWnd& owner)
{
    return OneAtATime(m_running, INT_PTR{IDCANCEL}, [&] {
        CKeysRecoverDialog dialog(&owner);
        return dialog.DoModal();
    });
}
