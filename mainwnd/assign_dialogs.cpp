#include "mainwnd/assign_dialogs.h"

// The dialogs themselves are not built yet: until they are, every one of
// them answers as if the user had cancelled it at once, so a special function
// is stored for its slot while the slot keeps its label, and Default changes
// nothing.

ListDialogResult CAssignmentDialogs::RunWindowsDialog(CWnd&)
{
    return {};
}

ListDialogResult CAssignmentDialogs::RunMediaDialog(CWnd&)
{
    return {};
}

ListDialogResult CAssignmentDialogs::RunHotKeyDialog(CWnd&)
{
    return {};
}

FireKeyDialogResult CAssignmentDialogs::RunFireKeyDialog(CWnd&)
{
    return {};
}

SingleKeyDialogResult CAssignmentDialogs::RunSingleKeyDialog(CWnd&)
{
    return {};
}

ListDialogResult CAssignmentDialogs::RunSnipeDialog(CWnd&)
{
    return {};
}

INT_PTR CAssignmentDialogs::RunKeysRecoverDialog(CWnd&)
{
    return IDCANCEL;
}
