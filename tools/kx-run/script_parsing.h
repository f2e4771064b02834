// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the parse routines of the script's lines share: the line being parsed,
// numbers in a range, and the routines that live outside script.cpp: the
// set-up lines (script_setup_lines.cpp) and the settings-file, device and
// picture-check lines (script_lines.cpp).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kx-run/script.h"

namespace scriptparse {

// What a parse routine sees: the step so far (line and text filled in) and
// the words after the leading keyword.
struct Line {
    Step& step;
    const std::vector<std::string>& args;
    std::string rest;  // the text after the keyword, blanks kept inside
};

using Parse = std::function<std::optional<std::string>(Line&)>;  // an error message, or nothing

// Decimal, or hexadecimal with 0x; an optional minus sign.
std::optional<std::int64_t> Number(std::string_view word);
std::optional<std::int64_t> NumberIn(std::string_view word, std::int64_t low, std::int64_t high);
// An error unless the line has exactly `count` words after its keyword.
std::optional<std::string> Expect(Line& line, std::size_t count, std::string_view usage);

// language ID; scale 1|1.5|2; mouse absent|present|memory FILE|factory
// [dpi-table N]; skins missing|broken; skin FILE missing|broken|pipe (lines
// that live in script_setup_lines.cpp).
std::optional<std::string> ParseLanguage(Line& line);
std::optional<std::string> ParseScale(Line& line);
std::optional<std::string> ParseMouse(Line& line);
std::optional<std::string> ParseSkins(Line& line);
std::optional<std::string> ParseSkinFile(Line& line);

// config.bin FILE|missing|folder, config.bin byte OFFSET VALUE...; str.ini
// FILE|missing (folder: nothing when a file cannot be replaced by a folder).
Parse SettingsFile(StepKind fromFile, StepKind missing, std::optional<StepKind> folder, std::string_view usage);
// device arrival|removal COLLECTION
std::optional<std::string> ParseDevice(Line& line);
// look LEFT TOP RIGHT BOTTOM
std::optional<std::string> ParseLook(Line& line);

}  // namespace scriptparse
