// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules that pick a profile of the library by running game, from
// rules.toml beside the library:
//
//   default = "desk"              # optional: the profile when no rule matches
//   [[rule]]
//   executable = "cs2"            # the program's file name, exactly
//   profile = "shooter"
//   [[rule]]
//   command_line = "eldenring.exe" # or a part of its command line (Proton, launchers)
//   profile = "souls"
//
// The first rule, in the file's order, that matches a running process wins.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/process_table.h"

inline constexpr std::size_t kMaxRulesBytes = 64 * 1024;
inline constexpr std::size_t kMaxRules = 256;

struct GameRule {
    std::string executable;   // exactly one of these two is set
    std::string commandLine;
    std::string profile;
    std::size_t line = 0;     // where the rule starts, for messages
};

struct GameRules {
    std::vector<GameRule> rules;
    std::string defaultProfile;  // empty: none
};

struct RulesError {
    std::size_t line = 0;  // 1-based; 0 when no line applies
    std::string message;
};

struct ParsedRules {
    GameRules rules;
    std::optional<RulesError> error;
};
ParsedRules ParseRules(std::string_view text);

// The rule file's path below `configHome`.
std::string RulesPath(const std::string& configHome);

// The text of the rule file (regular, not a link, at most kMaxRulesBytes);
// nothing when it does not exist; an error when it is anything else.
struct RulesFile {
    std::optional<std::string> text;
    std::string error;
};
RulesFile ReadRulesFile(const std::string& configHome);

// Whether `rule` matches `process`: the executable against the program's
// file name (or the kernel's short name, which is cut to 15 bytes), the
// command-line part anywhere in the command line.
bool RuleMatches(const GameRule& rule, const ProcessEntry& process);

// The profile the processes call for: the first rule matching any of them,
// else the default; `rule` is the index of the rule, nothing for the default.
struct RuleChoice {
    std::optional<std::size_t> rule;
    std::string profile;  // empty when no rule matches and there is no default
    bool operator==(const RuleChoice&) const = default;
};
RuleChoice ChooseProfile(const GameRules& rules, const std::vector<ProcessEntry>& processes);
