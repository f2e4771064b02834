// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/image_encoding.h"

#include <array>

#include "settings/dpi_tables.h"
#include "settings/key_vocabulary.h"

namespace {

// The mouse's functions for the codes of type kTypeMouseFunction.
constexpr std::uint8_t kMouseFunctionDpiSwitch = 0x05;
constexpr std::uint8_t kMouseFunctionShift = 0x06;
constexpr std::uint8_t kMouseFunctionSnipe = 0x0A;

// Codes whose two bytes do not depend on per-slot values. Forward and Backward
// are not in numeric order on the device side.
constexpr std::array<ButtonBytes, 14> kFixedButtonBytes = {{
    {kMouseLeft, kTypeKey},                           // Left Click
    {kMouseRight, kTypeKey},                          // Right Click
    {kMouseMiddle, kTypeKey},                         // Mid Click
    {kMouseButton5, kTypeKey},                        // Forward
    {kMouseButton4, kTypeKey},                        // Backward
    {kMouseFunctionDpiSwitch, kTypeMouseFunction},    // DPI Switch
    {0x00, kTypeFunctionTable},                       // Windows: entry from windowsIndex
    {0x00, kTypeFunctionTable},                       // Multimedia: entry from mediaIndex
    {0x00, kTypeFunctionTable},                       // HotKey: entry from hotKeyIndex
    {0x00, kTypeFireKey},                             // Fire Key: key and count from the slot
    {0x00, kTypeKey},                                 // Single Key: key from the slot
    {kMouseFunctionSnipe, kTypeMouseFunction},        // Snipe Key
    {kKeyNone, kTypeKey},                             // Key Off
    {kMouseFunctionShift, kTypeMouseFunction},        // Shift
}};

std::uint8_t Byte(unsigned value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::uint8_t EnabledStageCount(const SettingsRecord& record)
{
    std::uint8_t count = 0;
    for (std::uint8_t enabled : record.dpiStageEnabled) {
        count = Byte(count + (enabled == 1 ? 1 : 0));
    }
    return count;
}

void EncodeLighting(const SettingsRecord& record, DeviceImage& image)
{
    image[kImageLedMode] = record.ledMode;
    if (record.ledMode == kLedModeOne) {
        image[kImageLedParameter] = record.modeOneParameter;
    } else if (record.ledMode == kLedModeTwo) {
        image[kImageLedParameter] = record.modeTwoParameter;
    }
}

void EncodeDpiStages(const SettingsRecord& record, std::uint8_t dpiTableSet, DeviceImage& image)
{
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        image[kImageStageDpiCodes + stage] =
            DpiCodeOfPosition(dpiTableSet, record.dpiStageIndex[stage], record.dpiStageEnabled[stage] != 0);
    }
}

void EncodeButtonMaps(const SettingsRecord& record, DeviceImage& image)
{
    constexpr std::array<std::size_t, kKeySetCount> kMapOffset = {kImageButtonMapKeySet1, kImageButtonMapKeySet2};
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kButtonPositions; ++slot) {
            const ButtonBytes bytes = ButtonBytesOfSlot(record, keySet, slot);
            const std::size_t at = kMapOffset[keySet] + 2 * ButtonPositionOfSlot(slot);
            image[at] = bytes.code;
            image[at + 1] = bytes.type;
        }
    }
}

}  // namespace

ButtonBytes ButtonBytesOfSlot(const SettingsRecord& record, std::size_t keySet, std::size_t slot)
{
    const std::size_t i = SlotIndex(keySet, slot);
    const std::uint8_t function = record.buttonFunction[i];
    if (function >= kFixedButtonBytes.size()) {
        return {kKeyNone, kTypeKey};
    }
    ButtonBytes bytes = kFixedButtonBytes[function];
    switch (function) {
    case kFunctionWindows:
        bytes.code = Byte(record.windowsIndex[i] + kWindowsFunctionFirstEntry);
        break;
    case kFunctionMultimedia:
        bytes.code = record.mediaIndex[i];
        break;
    case kFunctionHotKey:
        bytes.code = Byte(record.hotKeyIndex[i] + kHotKeyFirstEntry);
        break;
    case kFunctionFireKey:
        bytes.code = record.fireKeyCode[i];
        bytes.type = Byte(record.fireRepeatCount[i] + kTypeFireKey);
        break;
    case kFunctionSingleKey:
        bytes.code = record.singleKeyCode[i];
        break;
    default:
        break;
    }
    return bytes;
}

std::size_t ButtonPositionOfSlot(std::size_t slot)
{
    constexpr std::array<std::size_t, kButtonPositions> kPosition = {0, 1, 2, 4, 3, 5};
    return kPosition[slot];
}

void EncodeRecordIntoImage(const SettingsRecord& record, std::uint8_t dpiTableSet, DeviceImage& image)
{
    image[kImageUsbReportRate] = record.reportInterval;
    EncodeLighting(record, image);
    image[kImageEnabledStageCount] = EnabledStageCount(record);
    image[kImageSnipeDpiCode] = record.snipeDpiCode;
    EncodeDpiStages(record, dpiTableSet, image);
    image[kImageFireMakeTime] = record.fireMakeTime;
    image[kImageFireBreakTime] = record.fireBreakTime;
    EncodeButtonMaps(record, image);
}
