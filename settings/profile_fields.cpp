// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_fields.h"

std::optional<std::int64_t> ProfileValueOf(const ProfileFieldRange& range, std::uint8_t byte)
{
    for (std::size_t i = 0; i < range.listed; ++i) {
        if (range.codes[i] == byte) {
            return range.values[i];
        }
    }
    if (range.listed > 0) {
        return std::nullopt;
    }
    const std::int64_t value = std::int64_t{byte} + range.offset;
    return value >= range.low && value <= range.high ? std::optional(value) : std::nullopt;
}

std::span<const std::int64_t> ListedValues(const ProfileFieldRange& range)
{
    return std::span<const std::int64_t>(range.values.data(), range.listed);
}
