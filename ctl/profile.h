// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings profiles: the settings record as a readable, versioned TOML text,
// every setting under a stable English key and every value in the English
// names of the key vocabulary, for moving settings between mice and machines.
//
// A profile holds the settings a user can choose. What the record carries
// without anyone choosing it (its reserved bytes, the colour swatches, the
// two slots of each key set the pages never show) is not in a profile: an
// import keeps those bytes of the record it replaces.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

inline constexpr std::int64_t kProfileVersion = 1;
// A profile is a few kilobytes; anything far larger is not one.
inline constexpr std::size_t kMaxProfileBytes = 256 * 1024;

// Why a record cannot be written, or a text not read, as a profile.
struct ProfileError {
    std::size_t line = 0;  // 1-based; 0 when no line applies
    std::string message;
};

// The profile text of a record whose DPI positions belong to `dpiTable`, or
// the first field whose value no profile can express (a value the window
// never produces).
struct ProfileText {
    std::string text;
    std::optional<ProfileError> error;
};
ProfileText WriteProfile(const SettingsRecord& record, std::uint8_t dpiTable);

// Reads a profile over `record`: on success every setting comes from the
// profile and the carried bytes stay; on failure `record` is unchanged and
// the error names the line and the values allowed there. `dpiTable` gets the
// profile's DPI table.
std::optional<ProfileError> ReadProfile(std::string_view text, SettingsRecord& record, std::uint8_t& dpiTable);

// "FILE:LINE: message" (or "FILE: message" without a line).
std::string FormatProfileError(std::string_view file, const ProfileError& error);
