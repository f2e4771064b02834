#pragma once
// What the key page does to the settings record and the slot labels, as
// functions over them that need no window: the function list, the rules for
// opening a slot's list, the results of the assignment dialogs, Shift's
// mirroring and the factory assignment of Default.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/lang/main_strings.h"
#include "mainwnd/slot_dialogs.h"
#include "settings/label_file.h"
#include "settings/settings_record.h"

// A button slot: key set 0 or 1, slot 0 to 7.
struct SlotRef {
    std::size_t keySet = 0;
    std::size_t slot = 0;
};

// The function list of a key set, in code order: 14 entries for key set 1,
// the first 13 (without Shift) for key set 2.
std::vector<std::u16string_view> FunctionListEntries(const MainWindowStrings& strings, std::size_t keySet);

// Left Click, Right Click, Mid Click, DPI Switch, Forward, Backward, Key Off,
// Key Off in both key sets: the first run's labels and Default's.
void SetDefaultLabels(SlotLabels& labels, const MainWindowStrings& strings);

// The left-click rule for slot k of key set 1: the key set that
// keySetSelector names (0 or 1) would lose its only Left Click. Any other
// selector checks nothing.
bool LeftClickRuleRefuses(const SettingsRecord& record, std::size_t slot);

// Slot k of key set 2 is locked while it and slot k of key set 1 are both Shift.
bool LockedByShift(const SettingsRecord& record, std::size_t slot);

// Shift chosen for slot k of key set 1 is mirrored into slot k of key set 2:
// its label and its code. Returns whether it was (the slot holds Shift).
bool MirrorShift(SettingsRecord& record, SlotLabels& labels, std::size_t slot);

// The confirmed results of the assignment dialogs, written for one slot.
// "function name" in a label is the slot's function list entry.
void StoreWindowsResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result);
void StoreMediaResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result,
    const MainWindowStrings& strings);
void StoreHotKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result);
void StoreFireKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const FireKeyDialogResult& result,
    const MainWindowStrings& strings);
void StoreSingleKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref,
    const SingleKeyDialogResult& result, const MainWindowStrings& strings);
// The snipe DPI code is that of the position in the DPI code table in force.
void StoreSnipeResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result,
    const MainWindowStrings& strings);

// Default, once the keys-recover dialog is confirmed: the key-recover
// defaults of the record and the default labels. Per-slot dialog values,
// modeOneParameter and keySetSelector stay.
void RestoreFactoryAssignment(SettingsRecord& record, SlotLabels& labels, const MainWindowStrings& strings);
