// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The user's choices as the pages and dialogs work with them: list positions,
// flags and small numbers. This is also exactly what config.bin stores after
// its first-run flag, so the layout is fixed byte for byte.
//
// Arrays of kSlotsPerRecord hold key set 1 in their first eight bytes and key
// set 2 in the next eight; within a key set, index 0 to 7 is the button slot.
inline constexpr std::size_t kKeySetCount = 2;
inline constexpr std::size_t kSlotsPerKeySet = 8;
inline constexpr std::size_t kSlotsPerRecord = kKeySetCount * kSlotsPerKeySet;
inline constexpr std::size_t kDpiStageCount = 4;
inline constexpr std::size_t kSettingsRecordSize = 179;

// The lighting choices ledMode holds.
inline constexpr std::uint8_t kLedModeZero = 0;
inline constexpr std::uint8_t kLedModeOne = 1;
inline constexpr std::uint8_t kLedModeTwo = 2;

#pragma pack(push, 1)
struct SettingsRecord {
    std::uint8_t reserved0[5];
    std::uint8_t reportInterval;          // 1 = 1000 Hz, 2 = 500 Hz, 4 = 250 Hz, 8 = 125 Hz
    std::uint8_t reserved6;
    std::uint8_t dpiStageIndex[kDpiStageCount];    // position in the DPI code table in force
    std::uint8_t dpiStageEnabled[kDpiStageCount];  // 1 = enabled, 0 = disabled
    std::uint8_t swatchColor[12];         // four (red, green, blue); kept, never used
    std::uint8_t ledMode;                 // lighting choice 0, 1 or 2
    std::uint8_t modeOneParameter;        // 10, 5 or 1, used with ledMode 1
    std::uint8_t modeTwoParameter;        // 5, 3 or 1, used with ledMode 2
    std::uint8_t reserved30;
    std::uint8_t keySetSelector;          // key set the left-click rule inspects
    std::uint8_t fireMakeTime;            // fire-key press time, all slots
    std::uint8_t fireBreakTime;           // fire-key release time, all slots
    std::uint8_t snipeDpiCode;            // device DPI code of the snipe DPI, all slots
    std::uint8_t buttonFunction[kSlotsPerRecord];  // position 0 to 13 in the function list
    std::uint8_t mediaIndex[kSlotsPerRecord];      // multimedia position (function 7)
    std::uint8_t windowsIndex[kSlotsPerRecord];    // Windows-function position (function 6)
    std::uint8_t hotKeyIndex[kSlotsPerRecord];     // hot-key preset position (function 8)
    std::uint8_t singleKeyCode[kSlotsPerRecord];   // key code of the single key (function 10)
    std::uint8_t snipeIndex[kSlotsPerRecord];      // snipe DPI position (function 11)
    std::uint8_t fireKeyIndex[kSlotsPerRecord];    // position in the fire-key list (function 9)
    std::uint8_t fireKeyCode[kSlotsPerRecord];     // key code of the fire key (function 9)
    std::uint8_t fireRepeatCount[kSlotsPerRecord]; // repeat count 0 to 127 (function 9)
};
#pragma pack(pop)

static_assert(offsetof(SettingsRecord, reserved0) == 0);
static_assert(offsetof(SettingsRecord, reportInterval) == 5);
static_assert(offsetof(SettingsRecord, reserved6) == 6);
static_assert(offsetof(SettingsRecord, dpiStageIndex) == 7);
static_assert(offsetof(SettingsRecord, dpiStageEnabled) == 11);
static_assert(offsetof(SettingsRecord, swatchColor) == 15);
static_assert(offsetof(SettingsRecord, ledMode) == 27);
static_assert(offsetof(SettingsRecord, modeOneParameter) == 28);
static_assert(offsetof(SettingsRecord, modeTwoParameter) == 29);
static_assert(offsetof(SettingsRecord, reserved30) == 30);
static_assert(offsetof(SettingsRecord, keySetSelector) == 31);
static_assert(offsetof(SettingsRecord, fireMakeTime) == 32);
static_assert(offsetof(SettingsRecord, fireBreakTime) == 33);
static_assert(offsetof(SettingsRecord, snipeDpiCode) == 34);
static_assert(offsetof(SettingsRecord, buttonFunction) == 35);
static_assert(offsetof(SettingsRecord, mediaIndex) == 51);
static_assert(offsetof(SettingsRecord, windowsIndex) == 67);
static_assert(offsetof(SettingsRecord, hotKeyIndex) == 83);
static_assert(offsetof(SettingsRecord, singleKeyCode) == 99);
static_assert(offsetof(SettingsRecord, snipeIndex) == 115);
static_assert(offsetof(SettingsRecord, fireKeyIndex) == 131);
static_assert(offsetof(SettingsRecord, fireKeyCode) == 147);
static_assert(offsetof(SettingsRecord, fireRepeatCount) == 163);
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(alignof(SettingsRecord) == 1);

// Index of slot `slot` (0 to 7) of key set `keySet` (0 or 1) in the 2 x 8 arrays.
constexpr std::size_t SlotIndex(std::size_t keySet, std::size_t slot)
{
    return keySet * kSlotsPerKeySet + slot;
}
