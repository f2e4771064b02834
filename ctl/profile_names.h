// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The English names a profile and the JSON output use for list positions and
// codes, in list order, so that a position is the index of its name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using NameList = std::vector<std::string>;

// The word for an unset fire key, single key or snipe DPI code (0 in the record).
inline constexpr std::string_view kNoneName = "none";

const NameList& FunctionNames();        // code 0 to 13
const NameList& WindowsNames();         // position 0 to 8
const NameList& MultimediaNames();      // position 0 to 6
const NameList& HotKeyNames();          // position 0 to 7
const NameList& FireKeyNames();         // position 0 to 58
const NameList& SingleKeyNames();       // the key-name table, in its order
std::vector<std::int64_t> DpiValues(std::uint8_t dpiTable);  // position 0 onward

// The index of `name` in `names`; nullopt when absent.
std::optional<std::size_t> IndexOf(const NameList& names, std::string_view name);
std::optional<std::size_t> IndexOf(const std::vector<std::int64_t>& values, std::int64_t value);

// "A, B, C": how error messages list what is allowed.
std::string Listed(const NameList& names);
std::string Listed(const std::vector<std::int64_t>& values);
