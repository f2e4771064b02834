#include "mainwnd/slot_dialogs.h"

#include <utility>

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

// A list dialog made from args: how it ended, the position chosen and its text.
template <class Dialog, class... Args>
ListDialogResult RunListDialog(bool& running, Args&&... args)
{
    return OneAtATime(running, ListDialogResult{}, [&] {
        Dialog dialog(std::forward<Args>(args)...);
        ListDialogResult result;
        result.code = dialog.DoModal();
        result.position = dialog.ChosenPosition();
        result.text = dialog.DropDownText();
        return result;
    });
}

}  // namespace

ListDialogResult CAssignmentDialogs::RunWindowsDialog(CWnd& owner)
{
    return RunListDialog<CWindowsDialog>(m_running, &owner);
}

ListDialogResult CAssignmentDialogs::RunMediaDialog(CWnd& owner)
{
    return RunListDialog<CMediaDialog>(m_running, &owner);
}

ListDialogResult CAssignmentDialogs::RunHotKeyDialog(CWnd& owner)
{
    return RunListDialog<CHotKeyDialog>(m_running, &owner);
}

FireKeyDialogResult CAssignmentDialogs::RunFireKeyDialog(CWnd& owner)
{
    return OneAtATime(m_running, FireKeyDialogResult{}, [&] {
        CFireKeyDialog dialog(&owner);
        FireKeyDialogResult result;
        result.code = dialog.DoModal();
        result.position = dialog.ChosenPosition();
        result.text = dialog.DropDownText();
        result.repeatCount = dialog.Times();
        result.makeTime = dialog.MakeTime();
        result.breakTime = dialog.BreakTime();
        return result;
    });
}

SingleKeyDialogResult CAssignmentDialogs::RunSingleKeyDialog(CWnd& owner)
{
    return OneAtATime(m_running, SingleKeyDialogResult{}, [&] {
        CSingleDialog dialog(&owner);
        SingleKeyDialogResult result;
        result.code = dialog.DoModal();
        result.keyName = dialog.KeyName();
        return result;
    });
}

// The list offers the values of the DPI table in force when it is made.
ListDialogResult CAssignmentDialogs::RunSnipeDialog(CWnd& owner)
{
    return RunListDialog<CSnipeDialog>(m_running, DpiTableSet, &owner);
}

INT_PTR CAssignmentDialogs::RunKeysRecoverDialog(CWnd& owner)
{
    return OneAtATime(m_running, INT_PTR{IDCANCEL}, [&] {
        CKeysRecoverDialog dialog(&owner);
        return dialog.DoModal();
    });
}
