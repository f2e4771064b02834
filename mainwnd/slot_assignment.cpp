#include "mainwnd/slot_assignment.h"

#include <array>

#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"

namespace {

using S = MainWindowStrings;

// The function list in code order; key set 2 stops before Shift.
constexpr std::array<std::u16string S::*, 14> kFunctionList = {
    &S::strLeftClick, &S::strRightClick, &S::strMidClick, &S::strForward, &S::strBackward,
    &S::strDpiSwitch, &S::strWindows, &S::strMultimedia, &S::strHotKey, &S::strFireKey,
    &S::strSingleKey, &S::strSnipeKey, &S::strKeyOff, &S::strShift,
};
constexpr std::size_t kKeySetTwoEntries = 13;

std::u16string Joined(std::u16string_view functionName, std::u16string_view entry)
{
    std::u16string label(functionName);
    label += u'-';
    label += entry;
    return label;
}

}  // namespace

std::vector<std::u16string_view> FunctionListEntries(const MainWindowStrings& strings, std::size_t keySet)
{
    const std::size_t count = keySet == 0 ? kFunctionList.size() : kKeySetTwoEntries;
    std::vector<std::u16string_view> entries;
    entries.reserve(count);
    for (std::size_t code = 0; code < count; ++code) {
        entries.push_back(strings.*kFunctionList[code]);
    }
    return entries;
}

void SetDefaultLabels(SlotLabels& labels, const MainWindowStrings& strings)
{
    for (auto& keySet : labels) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            keySet[slot] = strings.*kFunctionList[kFactoryKeySet[slot]];
        }
    }
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

void StoreWindowsResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result)
{
    record.windowsIndex[SlotIndex(ref.keySet, ref.slot)] = result.position;
    label = result.text;
}

void StoreMediaResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result,
    const MainWindowStrings& strings)
{
    record.mediaIndex[SlotIndex(ref.keySet, ref.slot)] = result.position;
    label = Joined(strings.strMultimedia, result.text);
}

void StoreHotKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result)
{
    record.hotKeyIndex[SlotIndex(ref.keySet, ref.slot)] = result.position;
    label = result.text;
}

void StoreFireKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const FireKeyDialogResult& result,
    const MainWindowStrings& strings)
{
    const std::size_t i = SlotIndex(ref.keySet, ref.slot);
    record.fireKeyIndex[i] = result.position;
    record.fireKeyCode[i] = FireKeyCodeFromIndex(result.position);
    record.fireRepeatCount[i] = result.repeatCount;
    // One pair of times serves every fire key of both key sets.
    record.fireMakeTime = result.makeTime;
    record.fireBreakTime = result.breakTime;
    label = Joined(strings.strFireKey, result.text);
}

void StoreSingleKeyResult(SettingsRecord& record, std::u16string& label, SlotRef ref,
    const SingleKeyDialogResult& result, const MainWindowStrings& strings)
{
    record.singleKeyCode[SlotIndex(ref.keySet, ref.slot)] = KeyCodeFromName(result.keyName);
    label = Joined(strings.strSingleKey, result.keyName);
}

void StoreSnipeResult(SettingsRecord& record, std::u16string& label, SlotRef ref, const ListDialogResult& result,
    const MainWindowStrings& strings)
{
    record.snipeIndex[SlotIndex(ref.keySet, ref.slot)] = result.position;
    // One snipe DPI serves every snipe key.
    record.snipeDpiCode = DpiCodeOfPosition(result.position, true);
    label = Joined(strings.strSnipeKey, result.text);
}

void RestoreFactoryAssignment(SettingsRecord& record, SlotLabels& labels, const MainWindowStrings& strings)
{
    SetKeyRecoverDefaults(record);
    SetDefaultLabels(labels, strings);
}
