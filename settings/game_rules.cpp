// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/game_rules.h"

#include "settings/profile_library.h"
#include "settings/settings_file.h"
#include "settings/untrusted_file.h"
#include "settings/toml.h"

namespace {

constexpr std::size_t kKernelNameBytes = 15;

std::size_t LineOf(const toml::node& node) { return node.source().begin.line; }

std::optional<RulesError> ProfileNamed(const toml::node& node, std::string_view key, std::string& profile)
{
    const auto* value = node.as_string();
    if (value == nullptr) {
        return RulesError{LineOf(node), std::string(key) + " must be a profile name in quotes"};
    }
    profile = value->get();
    if (const auto problem = ProfileNameProblem(profile)) {
        return RulesError{LineOf(node), std::string(key) + ": " + *problem};
    }
    return std::nullopt;
}

std::optional<RulesError> ReadRule(const toml::table& table, std::size_t line, GameRule& rule)
{
    rule.line = line;
    for (const auto& [key, node] : table) {
        if (key == "profile") {
            if (auto error = ProfileNamed(node, "profile", rule.profile)) {
                return error;
            }
        } else if (key == "executable" || key == "command_line") {
            const auto* value = node.as_string();
            if (value == nullptr || value->get().empty()) {
                return RulesError{LineOf(node), std::string(key.str()) + " must be a non-empty text in quotes"};
            }
            (key == "executable" ? rule.executable : rule.commandLine) = value->get();
        } else {
            return RulesError{LineOf(node), "unknown key " + std::string(key.str()) +
                                                " in a rule (allowed: executable, command_line, profile)"};
        }
    }
    if (rule.executable.empty() == rule.commandLine.empty()) {
        return RulesError{line, "a rule names either executable or command_line, not both or neither"};
    }
    if (rule.profile.empty()) {
        return RulesError{line, "a rule needs a profile"};
    }
    return std::nullopt;
}

std::optional<RulesError> ReadRoot(const toml::table& root, GameRules& rules)
{
    for (const auto& [key, node] : root) {
        if (key == "default") {
            if (auto error = ProfileNamed(node, "default", rules.defaultProfile)) {
                return error;
            }
        } else if (key == "rule") {
            const auto* array = node.as_array();
            if (array == nullptr || !array->is_array_of_tables()) {
                return RulesError{LineOf(node), "rule must be written as [[rule]] tables"};
            }
            if (array->size() > kMaxRules) {
                return RulesError{LineOf(node), "more than " + std::to_string(kMaxRules) + " rules"};
            }
            for (const auto& element : *array) {
                GameRule rule;
                if (auto error = ReadRule(*element.as_table(), LineOf(element), rule)) {
                    return error;
                }
                rules.rules.push_back(std::move(rule));
            }
        } else {
            return RulesError{LineOf(node), "unknown key " + std::string(key.str()) + " (allowed: default, rule)"};
        }
    }
    return std::nullopt;
}

}  // namespace

ParsedRules ParseRules(std::string_view text)
{
    ParsedRules parsed;
    if (text.size() > kMaxRulesBytes) {
        parsed.error = RulesError{0, "larger than " + std::to_string(kMaxRulesBytes) + " bytes"};
        return parsed;
    }
    try {
        const toml::table root = toml::parse(text);
        parsed.error = ReadRoot(root, parsed.rules);
    } catch (const toml::parse_error& error) {
        parsed.error = RulesError{error.source().begin.line, "not valid TOML: " + std::string(error.description())};
    }
    if (parsed.error) {
        parsed.rules = {};
    }
    return parsed;
}

std::string RulesPath(const std::string& configHome) { return configHome + "/" + kUserSettingsFolderName + "/rules.toml"; }

RulesFile ReadRulesFile(const std::string& configHome)
{
    if (configHome.empty() || configHome.front() != '/') {
        return {};
    }
    UntrustedRead read = ReadUntrustedFile(RulesPath(configHome), kMaxRulesBytes);
    if (read.missing) {
        return {};
    }
    return {std::move(read.text), std::move(read.error)};
}

bool RuleMatches(const GameRule& rule, const ProcessEntry& process)
{
    if (!rule.executable.empty()) {
        // The kernel's short name is the file name cut to 15 bytes.
        return process.program == rule.executable || process.name == rule.executable.substr(0, kKernelNameBytes);
    }
    return process.commandLine.find(rule.commandLine) != std::string::npos;
}

RuleChoice ChooseProfile(const GameRules& rules, const std::vector<ProcessEntry>& processes)
{
    for (std::size_t index = 0; index < rules.rules.size(); ++index) {
        for (const ProcessEntry& process : processes) {
            if (RuleMatches(rules.rules[index], process)) {
                return {index, rules.rules[index].profile};
            }
        }
    }
    return {std::nullopt, rules.defaultProfile};
}
