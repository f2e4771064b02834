// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The assignment dialogs as the key page runs them: one routine runs the
// dialog of a function modally over the main window and hands back how it
// ended, cancelled or confirmed with the values the user chose. The dialogs
// only report; the key page writes the settings record and the slot's label
// from a confirmed result (StoreSlotDialogResult in mainwnd/slot_assignment.h).

#include <cstdint>
#include <string>
#include <variant>

#include "platform/wnd/cdialog.h"
#include "platform/winuser.h"

// The dialog a function code opens.
enum class SlotDialog { Windows, Multimedia, HotKey, FireKey, SingleKey, Snipe };

// The Windows-function, multimedia, hot key and snipe dialogs: a position in
// the dialog's list and the text of that entry as the list showed it.
struct ListChoice {
    std::uint8_t position = 0;
    std::u16string text;
};

struct FireKeyChoice {
    std::uint8_t position = 0;  // in the fire-key list
    std::u16string text;        // that entry's name
    std::uint8_t repeatCount = 0;
    std::uint8_t makeTime = 0;
    std::uint8_t breakTime = 0;
};

struct SingleKeyChoice {
    std::u16string keyName;  // the captured key's name
};

// How a dialog ended: cancelled (std::monostate) or confirmed with its values.
using SlotDialogResult = std::variant<std::monostate, ListChoice, FireKeyChoice, SingleKeyChoice>;

class CAssignmentDialogs {
public:
    CAssignmentDialogs() = default;
    CAssignmentDialogs(const CAssignmentDialogs&) = delete;
    CAssignmentDialogs& operator=(const CAssignmentDialogs&) = delete;
    virtual ~CAssignmentDialogs() = default;

    virtual SlotDialogResult RunSlotDialog(SlotDialog dialog, CWnd& owner);
    // The keys-recover confirmation before Default restores the factory assignment.
    virtual INT_PTR RunKeysRecoverDialog(CWnd& owner);

private:
    bool m_running = false;  // a dialog is open
};
