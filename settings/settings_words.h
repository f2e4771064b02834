// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings record in words: the names the window's lists and dialogs show
// for each value, in any of the program's languages, and the label a slot
// gets on the key page. Pure functions over the record and the DPI table;
// the key page's labels and the command's text, JSON and profiles are all
// built from these.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lang/language.h"
#include "lang/main_strings.h"
#include "settings/label_file.h"
#include "settings/settings_record.h"

inline constexpr std::size_t kFunctionCount = 14;
inline constexpr std::size_t kEditableSlots = 6;
inline constexpr std::uint8_t kDpiTableCount = 4;

// The button-function list in code order, as the window's strings name it.
inline constexpr std::array<std::u16string MainWindowStrings::*, kFunctionCount> kFunctionTexts = {
    &MainWindowStrings::strLeftClick, &MainWindowStrings::strRightClick, &MainWindowStrings::strMidClick,
    &MainWindowStrings::strForward,   &MainWindowStrings::strBackward,   &MainWindowStrings::strDpiSwitch,
    &MainWindowStrings::strWindows,   &MainWindowStrings::strMultimedia, &MainWindowStrings::strHotKey,
    &MainWindowStrings::strFireKey,   &MainWindowStrings::strSingleKey,  &MainWindowStrings::strSnipeKey,
    &MainWindowStrings::strKeyOff,    &MainWindowStrings::strShift,
};

// The button-function list entry of a function code; nullopt beyond the list.
std::optional<std::u16string_view> FunctionName(std::uint8_t code, Language language);

// Report-rate code (1, 2, 4, 8) to Hz and back; nullopt outside the four rates.
std::optional<unsigned> ReportRateHz(std::uint8_t code);
std::optional<std::uint8_t> ReportRateCode(unsigned hz);

// The DPI value text of a position in a DPI table; nullopt beyond the list.
std::optional<std::u16string_view> DpiText(std::uint8_t dpiTable, std::uint8_t position);

// The position of a DPI code (bit 7 ignored) in a DPI table's offered
// positions; nullopt when the table offers no such code.
std::optional<std::uint8_t> DpiPositionOfCode(std::uint8_t dpiTable, std::uint8_t code);

// The key-name table's name of a single-key code; nullopt for 0 or a code the
// table does not hold.
std::optional<std::string_view> KeyNameOfCode(std::uint8_t code);

// What a slot holds, in words: the function and, for the functions a dialog
// completes, the detail the dialog chose ("Next", "A", "1000" ...); the
// detail is empty for the other functions.
struct SlotWords {
    std::u16string function;
    std::u16string detail;
};
SlotWords SlotInWords(const SettingsRecord& record, std::size_t keySet, std::size_t slot, Language language,
                      std::uint8_t dpiTable);

// The label rule of the key page: the Windows-function and hot-key dialogs'
// entries stand alone, the other dialogs' entries follow their function's
// name and a dash, and a function without a dialog is its name alone.
std::u16string SlotLabel(std::uint8_t function, std::u16string_view functionName, std::u16string_view detail);

// The label the key page shows for the slot after its function was chosen
// (and its dialog confirmed) with the record's values.
std::u16string SlotLabelOf(const SettingsRecord& record, std::size_t keySet, std::size_t slot, Language language,
                           std::uint8_t dpiTable);

// The factory assignment's labels in both key sets (Left Click, Right Click,
// Mid Click, DPI Switch, Forward, Backward, Key Off, Key Off): the first
// run's labels and Default's.
void SetDefaultLabels(SlotLabels& labels, const MainWindowStrings& strings);
