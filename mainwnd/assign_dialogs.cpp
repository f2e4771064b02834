#include "mainwnd/assign_dialogs.h"

#include "dialogs/fire_key_dialog.h"
#include "dialogs/keys_recover_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "dialogs/snipe_dialog.h"
#include "settings/dpi_tables.h"

namespace {

// One assignment dialog at a time: a request while one is open (a second
// notification reaching the key page from inside the first dialog's loop)
// is answered as cancelled, without a second dialog over the first.
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

ListDialogResult RunListDialog(CListDialog& dialog)
{
    ListDialogResult result;
    result.code = dialog.DoModal();
    result.position = dialog.ChosenPosition();
    result.text = dialog.DropDownText();
    return result;
}

}  // namespace

ListDialogResult CAssignmentDialogs::RunWindowsDialog(CWnd& owner)
{
    return OneAtATime(m_running, ListDialogResult{}, [&] {
        CWindowsDialog dialog(&owner);
        return RunListDialog(dialog);
    });
}

ListDialogResult CAssignmentDialogs::RunMediaDialog(CWnd& owner)
{
    return OneAtATime(m_running, ListDialogResult{}, [&] {
        CMediaDialog dialog(&owner);
        return RunListDialog(dialog);
    });
}

ListDialogResult CAssignmentDialogs::RunHotKeyDialog(CWnd& owner)
{
    return OneAtATime(m_running, ListDialogResult{}, [&] {
        CHotKeyDialog dialog(&owner);
        return RunListDialog(dialog);
    });
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
    return OneAtATime(m_running, ListDialogResult{}, [&] {
        CSnipeDialog dialog(DpiTableSet, &owner);
        return RunListDialog(dialog);
    });
}

INT_PTR CAssignmentDialogs::RunKeysRecoverDialog(CWnd& owner)
{
    return OneAtATime(m_running, INT_PTR{IDCANCEL}, [&] {
        CKeysRecoverDialog dialog(&owner);
        return dialog.DoModal();
    });
}
