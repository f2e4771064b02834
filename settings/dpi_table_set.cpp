// SPDX-License-Identifier: GPL-3.0-or-later
// The DPI-table selector in force and the lookups that go by it. Kept apart
// from the constant tables so that code which must not read process-wide
// state (the assignment dialogs) can link the tables without it.

#include "settings/dpi_tables.h"

std::uint8_t DpiTableSet = 0;

std::uint8_t DpiCodeOfPosition(std::uint8_t position, bool enabled)
{
    return DpiCodeOfPosition(DpiTableSet, position, enabled);
}

std::u16string_view DpiValueTextOfPosition(std::uint8_t position)
{
    const auto values = DpiValueList(DpiTableSet);
    return position < values.size() ? values[position] : std::u16string_view();
}

std::uint8_t DpiPositionCount()
{
    return static_cast<std::uint8_t>(DpiValueList(DpiTableSet).size());
}
