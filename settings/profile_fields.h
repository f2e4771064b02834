// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-valued settings of a profile: their keys, the comments that
// name their values, and how each value maps to its byte of the settings
// record. Writing, reading and comparing profiles all walk this one table,
// so that a key, a range and its comment are stated once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "settings/settings_record.h"

// A value either taken from a short list (each profile value standing for
// its own record code) or from a span of integers (the record holding the
// value less `offset`).
struct ProfileFieldRange {
    std::size_t listed = 0;                 // entries of values/codes; 0 for a span
    std::array<std::int64_t, 4> values{};   // profile values, in the order errors list them
    std::array<std::uint8_t, 4> codes{};    // the record code of each value
    std::int64_t low = 0;                   // span, inclusive
    std::int64_t high = 0;
    std::int64_t offset = 0;                // profile value = record byte + offset
};

struct ProfileField {
    std::string_view section;     // the table the key sits in; empty at the top level
    std::string_view key;
    std::string_view comment;     // the line above the key; empty when the one above speaks for it
    std::string_view recordName;  // the record byte, as messages about an unwritable record name it
    std::uint8_t SettingsRecord::*member;
    ProfileFieldRange range;
};

constexpr ProfileFieldRange AmongValues(std::array<std::int64_t, 4> values, std::array<std::uint8_t, 4> codes,
                                   std::size_t count)
{
    ProfileFieldRange range;
    range.listed = count;
    range.values = values;
    range.codes = codes;
    return range;
}

constexpr ProfileFieldRange Between(std::int64_t low, std::int64_t high, std::int64_t offset = 0)
{
    ProfileFieldRange range;
    range.low = low;
    range.high = high;
    range.offset = offset;
    return range;
}

// In the order a profile holds them; the top-level keys first, each
// section's keys together.
inline constexpr std::array<ProfileField, 7> kProfileFields = {{
    {"", "report_rate", "Report rate in Hz: 125, 250, 500 or 1000.", "reportInterval",
     &SettingsRecord::reportInterval, AmongValues({1000, 500, 250, 125}, {1, 2, 4, 8}, 4)},
    {"", "active_key_set", "The key set the left-click rule looks at: 1 or 2.", "keySetSelector",
     &SettingsRecord::keySetSelector, Between(1, 2, 1)},
    {"lighting", "mode", "Lighting mode: 0, 1 or 2.", "ledMode", &SettingsRecord::ledMode, Between(0, 2)},
    {"lighting", "mode_1_parameter", "Parameter of mode 1: 10, 5 or 1.", "modeOneParameter",
     &SettingsRecord::modeOneParameter, AmongValues({10, 5, 1}, {10, 5, 1}, 3)},
    {"lighting", "mode_2_parameter", "Parameter of mode 2: 5, 3 or 1.", "modeTwoParameter",
     &SettingsRecord::modeTwoParameter, AmongValues({5, 3, 1}, {5, 3, 1}, 3)},
    {"fire", "press_time", "Press and release time of every Fire Key: 5 to 255.", "fireMakeTime",
     &SettingsRecord::fireMakeTime, Between(5, 255)},
    {"fire", "release_time", "", "fireBreakTime", &SettingsRecord::fireBreakTime, Between(5, 255)},
}};

// The profile value of a record byte; nullopt when no profile value stands for it.
std::optional<std::int64_t> ProfileValueOf(const ProfileFieldRange& range, std::uint8_t byte);

// The profile values of a listed range.
std::span<const std::int64_t> ListedValues(const ProfileFieldRange& range);

// The fields of one section, in table order.
template <typename Visit>
void ForEachFieldOf(std::string_view section, Visit&& visit)
{
    for (const ProfileField& field : kProfileFields) {
        if (field.section == section) {
            visit(field);
        }
    }
}
