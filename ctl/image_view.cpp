// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/image_view.h"

#include "settings/settings_words.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"

namespace {

constexpr std::uint8_t kUnknownPosition = 0xFF;

std::uint8_t FireKeyPositionOfCode(std::uint8_t code)
{
    for (std::size_t position = 0; position < kFireKeyList.size(); ++position) {
        if (kFireKeyList[position].code == code) {
            return static_cast<std::uint8_t>(position);
        }
    }
    return kUnknownPosition;
}

std::uint8_t KeyFunction(SettingsRecord& record, std::size_t i, std::uint8_t code)
{
    switch (code) {
    case kMouseLeft: return kFunctionLeftClick;
    case kMouseRight: return kFunctionRightClick;
    case kMouseMiddle: return kFunctionMidClick;
    case kMouseButton5: return kFunctionForward;
    case kMouseButton4: return kFunctionBackward;
    case kKeyNone: return kFunctionKeyOff;
    default: record.singleKeyCode[i] = code; return kFunctionSingleKey;
    }
}

std::uint8_t TableFunction(SettingsRecord& record, std::size_t i, std::uint8_t code)
{
    if (code < kWindowsFunctionFirstEntry) {
        record.mediaIndex[i] = code;
        return kFunctionMultimedia;
    }
    if (code < kHotKeyFirstEntry) {
        record.windowsIndex[i] = static_cast<std::uint8_t>(code - kWindowsFunctionFirstEntry);
        return kFunctionWindows;
    }
    if (code < kHotKeyFirstEntry + kHotKeyPresetList.size()) {
        record.hotKeyIndex[i] = static_cast<std::uint8_t>(code - kHotKeyFirstEntry);
        return kFunctionHotKey;
    }
    return kUnknownFunction;
}

std::uint8_t MouseFunction(SettingsRecord& record, std::size_t i, std::uint8_t code, std::uint8_t dpiTable)
{
    switch (code) {
    case 0x05: return kFunctionDpiSwitch;
    case 0x06: return kFunctionShift;
    case 0x0A:
        record.snipeIndex[i] = DpiPositionOfCode(dpiTable, record.snipeDpiCode).value_or(kUnknownPosition);
        return kFunctionSnipeKey;
    default: return kUnknownFunction;
    }
}

std::uint8_t FunctionOfBytes(SettingsRecord& record, std::size_t i, ButtonBytes bytes, std::uint8_t dpiTable)
{
    if (bytes.type >= kTypeFireKey) {
        record.fireKeyCode[i] = bytes.code;
        record.fireKeyIndex[i] = FireKeyPositionOfCode(bytes.code);
        record.fireRepeatCount[i] = static_cast<std::uint8_t>(bytes.type - kTypeFireKey);
        return kFunctionFireKey;
    }
    switch (bytes.type) {
    case kTypeKey: return KeyFunction(record, i, bytes.code);
    case kTypeFunctionTable: return TableFunction(record, i, bytes.code);
    case kTypeMouseFunction: return MouseFunction(record, i, bytes.code, dpiTable);
    default: return kUnknownFunction;
    }
}

void ReadButtonMaps(const DeviceImage& image, SettingsRecord& record, std::uint8_t dpiTable)
{
    const std::size_t maps[kKeySetCount] = {kImageButtonMapKeySet1, kImageButtonMapKeySet2};
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
            const std::size_t at = maps[keySet] + 2 * ButtonPositionOfSlot(slot);
            const std::size_t i = SlotIndex(keySet, slot);
            record.buttonFunction[i] = FunctionOfBytes(record, i, ButtonBytes{image[at], image[at + 1]}, dpiTable);
        }
    }
}

}  // namespace

SettingsView ViewOfImage(const DeviceImage& image, std::uint8_t dpiTable)
{
    SettingsView view;
    view.dpiTable = dpiTable;
    view.fromMouse = true;
    SettingsRecord& record = view.record;
    record.reportInterval = image[kImageUsbReportRate];
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        const std::uint8_t code = image[kImageStageDpiCodes + stage];
        record.dpiStageIndex[stage] = DpiPositionOfCode(dpiTable, code).value_or(kUnknownPosition);
        record.dpiStageEnabled[stage] = (code & kDpiCodeDisabledBit) ? 0 : 1;
    }
    record.ledMode = image[kImageLedMode];
    (record.ledMode == 1 ? record.modeOneParameter : record.modeTwoParameter) = image[kImageLedParameter];
    record.fireMakeTime = image[kImageFireMakeTime];
    record.fireBreakTime = image[kImageFireBreakTime];
    record.snipeDpiCode = image[kImageSnipeDpiCode];
    ReadButtonMaps(image, record, dpiTable);
    return view;
}
