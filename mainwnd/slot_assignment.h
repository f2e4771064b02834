// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the key page does to the settings record and the slot labels, as
// functions over them that need no window: the function list, the rules for
// opening a slot's list, the results of the assignment dialogs, Shift's
// mirroring and the factory assignment of Default.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/main_strings.h"
#include "mainwnd/slot_dialogs.h"
#include "settings/label_file.h"
#include "settings/settings_record.h"
#include "settings/settings_words.h"

// A button slot: key set 0 or 1, slot 0 to 7.
struct SlotRef {
    std::size_t keySet = 0;
    std::size_t slot = 0;
};

// The function list of a key set, in code order: 14 entries for key set 1,
// the first 13 (without Shift) for key set 2.
std::vector<std::u16string_view> FunctionListEntries(const MainWindowStrings& strings, std::size_t keySet);

// The left-click rule for slot k of key set 1: the key set that
// keySetSelector names (0 or 1) would lose its only Left Click. Any other
// selector checks nothing.
bool LeftClickRuleRefuses(const SettingsRecord& record, std::size_t slot);

// Slot k of key set 2 is locked while it and slot k of key set 1 are both Shift.
bool LockedByShift(const SettingsRecord& record, std::size_t slot);

// Shift chosen for slot k of key set 1 is mirrored into slot k of key set 2:
// its label and its code. Returns whether it was (the slot holds Shift).
bool MirrorShift(SettingsRecord& record, SlotLabels& labels, std::size_t slot);

// A function that opens a dialog: its code, the dialog and the per-slot byte
// of the record a confirmed choice writes. A new function is one row.
struct SlotFunction {
    std::uint8_t code;
    SlotDialog dialog;
    std::uint8_t (SettingsRecord::*slotValue)[kSlotsPerRecord];
};

// The row of a function code, or nullptr for a function without a dialog.
const SlotFunction* FindSlotFunction(std::uint8_t code);

// A confirmed dialog result written for one slot: the row's per-slot byte
// (a list position, or the key code of the single key's name) and the label.
// The fire key also sets its key code and repeat count, and the make and
// break times that serve every fire key; the snipe key sets the snipe DPI
// code of its position in the DPI table in force. A cancelled result changes
// nothing.
void StoreSlotDialogResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const SlotFunction& function,
                           const SlotDialogResult& result, const MainWindowStrings& strings);

// Default, once the keys-recover dialog is confirmed: the key-recover
// defaults of the record and the default labels. Per-slot dialog values,
// modeOneParameter and keySetSelector stay.
void RestoreFactoryAssignment(SettingsRecord& record, SlotLabels& labels, const MainWindowStrings& strings);
