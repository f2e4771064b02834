// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "lang/language.h"

// Key codes are one byte: keyboard usages (0x04 to 0x63, modifiers 0xE0 to
// 0xE7), the program's own mouse-button codes 0xF0 to 0xF4, or 0 for no key.
inline constexpr std::uint8_t kKeyNone = 0x00;
inline constexpr std::uint8_t kMouseLeft = 0xF0;
inline constexpr std::uint8_t kMouseRight = 0xF1;
inline constexpr std::uint8_t kMouseMiddle = 0xF2;
inline constexpr std::uint8_t kMouseButton4 = 0xF3;
inline constexpr std::uint8_t kMouseButton5 = 0xF4;

struct KeyNameRow {
    std::string_view name;  // ASCII, compared widened and case-sensitively
    std::uint8_t code;
};

inline constexpr std::size_t kKeyNameRows = 106;
inline constexpr std::size_t kFireKeyCount = 59;

extern const std::array<KeyNameRow, kKeyNameRows> kKeyNameTable;

// The code of the first row whose name equals `name` exactly; 0 when none does.
std::uint8_t KeyCodeFromName(std::u16string_view name);

// The fire-key list as the fire key dialog shows it (same names in every language).
extern const std::array<KeyNameRow, kFireKeyCount> kFireKeyList;

// The code of the fire-key list entry at `position`; 0 beyond the list.
std::uint8_t FireKeyCodeFromIndex(std::uint8_t position);

// Lists the multimedia, Windows-function and hot-key dialogs offer, in their
// order; the position chosen is what the settings record stores.
extern const std::array<LocalizedText, 7> kMultimediaList;
extern const std::array<LocalizedText, 9> kWindowsFunctionList;
extern const std::array<LocalizedText, 8> kHotKeyPresetList;

// Device function tables as the image holds them. Multimedia position p is
// consumer entry p, Windows-function position p is consumer entry 7 + p, and
// hot-key position p is hot-key entry p.
inline constexpr std::size_t kWindowsFunctionFirstEntry = 7;
inline constexpr std::size_t kHotKeyFirstEntry = 16;  // hot-key entries follow the 16 consumer entries

// 16 consumer usages, low byte first.
inline constexpr std::array<std::uint8_t, 32> kConsumerTableBytes = {
    0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00, 0xE2, 0x00, 0xE9, 0x00, 0xEA, 0x00, 0x83, 0x01,
    0x8A, 0x01, 0x92, 0x01, 0x94, 0x01, 0x21, 0x02, 0x23, 0x02, 0x24, 0x02, 0x25, 0x02, 0x27, 0x02,
};

// 8 Ctrl chords: (modifier, key) for copy, cut, paste, select all, open, new, save, undo.
inline constexpr std::array<std::uint8_t, 16> kHotKeyTableBytes = {
    0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04, 0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D,
};
