#pragma once
// The assignment dialogs as the key page runs them: one function per dialog.
// Each runs its dialog modally over the main window and returns how it ended,
// IDOK (1, confirmed) or IDCANCEL (2, cancelled), with the values the user
// chose. The dialogs only report; the key page writes the settings record and
// the slot's label from a confirmed result (see mainwnd/slot_assignment.h).

#include <cstdint>
#include <string>

#include "platform/wnd/cdialog.h"
#include "platform/winuser.h"

// The Windows-function, multimedia, hot key and snipe dialogs: a position in
// the dialog's list and the text of that entry as the list showed it.
struct ListDialogResult {
    INT_PTR code = IDCANCEL;
    std::uint8_t position = 0;
    std::u16string text;
};

struct FireKeyDialogResult {
    INT_PTR code = IDCANCEL;
    std::uint8_t position = 0;  // in the fire-key list
    std::u16string text;        // that entry's name
    std::uint8_t repeatCount = 0;
    std::uint8_t makeTime = 0;
    std::uint8_t breakTime = 0;
};

struct SingleKeyDialogResult {
    INT_PTR code = IDCANCEL;
    std::u16string keyName;  // the captured key's name
};

class CAssignmentDialogs {
public:
    CAssignmentDialogs() = default;
    CAssignmentDialogs(const CAssignmentDialogs&) = delete;
    CAssignmentDialogs& operator=(const CAssignmentDialogs&) = delete;
    virtual ~CAssignmentDialogs() = default;

    virtual ListDialogResult RunWindowsDialog(CWnd& owner);
    virtual ListDialogResult RunMediaDialog(CWnd& owner);
    virtual ListDialogResult RunHotKeyDialog(CWnd& owner);
    virtual FireKeyDialogResult RunFireKeyDialog(CWnd& owner);
    virtual SingleKeyDialogResult RunSingleKeyDialog(CWnd& owner);
    virtual ListDialogResult RunSnipeDialog(CWnd& owner);
    // The keys-recover confirmation before Default restores the factory assignment.
    virtual INT_PTR RunKeysRecoverDialog(CWnd& owner);

private:
    bool m_running = false;  // a dialog is open
};
