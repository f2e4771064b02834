// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/slot_assignment.h"

#include <array>
#include <variant>

#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"
#include "settings/settings_words.h"

namespace {

// Key set 2's function list stops before Shift.
constexpr std::size_t kKeySetTwoEntries = 13;

constexpr std::array kSlotFunctions = {
    SlotFunction{kFunctionWindows, SlotDialog::Windows, &SettingsRecord::windowsIndex},
    SlotFunction{kFunctionMultimedia, SlotDialog::Multimedia, &SettingsRecord::mediaIndex},
    SlotFunction{kFunctionHotKey, SlotDialog::HotKey, &SettingsRecord::hotKeyIndex},
    SlotFunction{kFunctionFireKey, SlotDialog::FireKey, &SettingsRecord::fireKeyIndex},
    SlotFunction{kFunctionSingleKey, SlotDialog::SingleKey, &SettingsRecord::singleKeyCode},
    SlotFunction{kFunctionSnipeKey, SlotDialog::Snipe, &SettingsRecord::snipeIndex},
};

}  // namespace

std::vector<std::u16string_view> FunctionListEntries(const MainWindowStrings& strings, std::size_t keySet)
{
    const std::size_t count = keySet == 0 ? kFunctionTexts.size() : kKeySetTwoEntries;
    std::vector<std::u16string_view> entries;
    entries.reserve(count);
    for (std::size_t code = 0; code < count; ++code) {
        entries.push_back(strings.*kFunctionTexts[code]);
    }
    return entries;
}

bool LeftClickRuleRefuses(const SettingsRecord& record, std::size_t slot)
{
    const std::size_t inspected = record.keySetSelector;
    if (inspected >= kKeySetCount || record.buttonFunction[SlotIndex(inspected, slot)] != kFunctionLeftClick) {
        return false;
    }
    for (std::size_t other = 0; other < kSlotsPerKeySet; ++other) {
        if (other != slot && record.buttonFunction[SlotIndex(inspected, other)] == kFunctionLeftClick) {
            return false;
        }
    }
    return true;
}

bool LockedByShift(const SettingsRecord& record, std::size_t slot)
{
    return record.buttonFunction[SlotIndex(1, slot)] == kFunctionShift &&
           record.buttonFunction[SlotIndex(0, slot)] == kFunctionShift;
}

bool MirrorShift(SettingsRecord& record, SlotLabels& labels, std::size_t slot)
{
    if (record.buttonFunction[SlotIndex(0, slot)] != kFunctionShift) {
        return false;
    }
    labels[1][slot] = labels[0][slot];
    record.buttonFunction[SlotIndex(1, slot)] = kFunctionShift;
    return true;
}

const SlotFunction* FindSlotFunction(std::uint8_t code)
{
    for (const SlotFunction& function : kSlotFunctions) {
        if (function.code == code) {
            return &function;
        }
    }
    return nullptr;
}

void StoreSlotDialogResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const SlotFunction& function,
                           const SlotDialogResult& result, const MainWindowStrings& strings)
{
    const std::size_t i = SlotIndex(ref.keySet, ref.slot);
    const auto labelled = [&](std::u16string_view choice) {
        label = SlotLabel(function.code, strings.*kFunctionTexts[function.code], choice);
    };
    if (const auto* list = std::get_if<ListChoice>(&result)) {
        (record.*function.slotValue)[i] = list->position;
        if (function.dialog == SlotDialog::Snipe) {
            // One snipe DPI serves every snipe key.
            record.snipeDpiCode = DpiCodeOfPosition(list->position, true);
        }
        labelled(list->text);
    } else if (const auto* fire = std::get_if<FireKeyChoice>(&result)) {
        (record.*function.slotValue)[i] = fire->position;
        record.fireKeyCode[i] = FireKeyCodeFromIndex(fire->position);
        record.fireRepeatCount[i] = fire->repeatCount;
        // One pair of times serves every fire key of both key sets.
        record.fireMakeTime = fire->makeTime;
        record.fireBreakTime = fire->breakTime;
        labelled(fire->text);
    } else if (const auto* single = std::get_if<SingleKeyChoice>(&result)) {
        (record.*function.slotValue)[i] = KeyCodeFromName(single->keyName);
        labelled(single->keyName);
    }
}

void RestoreFactoryAssignment(SettingsRecord& record, SlotLabels& labels, const MainWindowStrings& strings)
{
    SetKeyRecoverDefaults(record);
    SetDefaultLabels(labels, strings);
}
