// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/device_image.h"
#include "settings/settings_record.h"

// Function codes: a slot's position in the button-function list.
enum FunctionCode : std::uint8_t {
    kFunctionLeftClick = 0,
    kFunctionRightClick = 1,
    kFunctionMidClick = 2,
    kFunctionForward = 3,
    kFunctionBackward = 4,
    kFunctionDpiSwitch = 5,
    kFunctionWindows = 6,
    kFunctionMultimedia = 7,
    kFunctionHotKey = 8,
    kFunctionFireKey = 9,
    kFunctionSingleKey = 10,
    kFunctionSnipeKey = 11,
    kFunctionKeyOff = 12,
    kFunctionShift = 13,
};

// Type bytes of a button-map entry: how the mouse reads the code byte.
inline constexpr std::uint8_t kTypeKey = 0x00;            // mouse button, key code or nothing
inline constexpr std::uint8_t kTypeFunctionTable = 0x02;  // consumer or hot-key table entry
inline constexpr std::uint8_t kTypeMouseFunction = 0x03;  // DPI switch, shift, snipe
inline constexpr std::uint8_t kTypeFireKey = 0x80;        // plus the repeat count

struct ButtonBytes {
    std::uint8_t code;
    std::uint8_t type;
    friend constexpr bool operator==(const ButtonBytes&, const ButtonBytes&) = default;
};

// The code and type byte of one slot of one key set, from its function code
// and that slot's per-function values.
ButtonBytes ButtonBytesOfSlot(const SettingsRecord& record, std::size_t keySet, std::size_t slot);

// The button position a record slot (0 to 5) occupies in a button map: slots
// 3 and 4 are exchanged on the device side.
std::size_t ButtonPositionOfSlot(std::size_t slot);

// Rewrites the image bytes that the record determines (report rate, lighting,
// DPI stages, snipe code, fire times, both button maps) from the record and
// the DPI table chosen by `dpiTableSet`. Every other byte keeps its value.
void EncodeRecordIntoImage(const SettingsRecord& record, std::uint8_t dpiTableSet, DeviceImage& image);
