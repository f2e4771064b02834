// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The DPI-table selector, 0 to 3, taken from the device image after every
// successful read. It chooses both the DPI code table and the DPI value list,
// and keeps its last value while no mouse is present.
extern std::uint8_t DpiTableSet;

inline constexpr std::uint8_t kDpiCodeDisabledBit = 0x80;

// The device DPI code at a position of the table chosen by DpiTableSet, with
// bit 7 clear for an enabled stage and set for a disabled one. A selector
// outside 0 to 3 or a position beyond the table gives code 0 (with bit 7 as
// the flag says).
std::uint8_t DpiCodeOfPosition(std::uint8_t position, bool enabled);

// The same for an explicit selector instead of DpiTableSet.
std::uint8_t DpiCodeOfPosition(std::uint8_t dpiTableSet, std::uint8_t position, bool enabled);

// The DPI value texts a selector offers, position 0 onward: 12 for table 0,
// 8 for tables 1 to 3, none for any other selector.
std::span<const std::u16string_view> DpiValueList(std::uint8_t dpiTableSet);

// The text shown for a position of the list chosen by DpiTableSet; empty for
// a selector outside 0 to 3 or a position beyond the list.
std::u16string_view DpiValueTextOfPosition(std::uint8_t position);

// Number of positions offered for the current selector (12 for table 0, 8
// for tables 1 to 3, 0 otherwise).
std::uint8_t DpiPositionCount();
