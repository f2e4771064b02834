// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/rules_commands.h"

#include <cstdio>
#include <set>
#include <string>

#include "ctl/exit_status.h"
#include "ctl/profile.h"
#include "platform/services/user_config_folder.h"
#include "settings/game_rules.h"
#include "settings/profile_library.h"

namespace {

void Say(const std::string& line) { std::fprintf(stderr, "kx-507-ctl: %s\n", line.c_str()); }

// Whether profile `name` of the library reads as a valid profile; says why not.
bool ProfileUsable(const ProfileLibrary& library, const std::string& name)
{
    const LibraryRead read = library.Read(name, kMaxProfileBytes);
    if (!read.text) {
        Say(read.error);
        return false;
    }
    SettingsRecord record{};
    std::uint8_t dpiTable = 0;
    if (const auto error = ReadProfile(*read.text, record, dpiTable)) {
        Say(FormatProfileError(library.PathOf(name), *error));
        return false;
    }
    return true;
}

}  // namespace

int RunRulesCheck()
{
    const std::string configHome = UserConfigHome();
    const std::string path = RulesPath(configHome);
    const RulesFile file = ReadRulesFile(configHome);
    if (!file.text) {
        if (!file.error.empty()) {
            Say(file.error);
            return kExitBadProfile;
        }
        std::printf("%s: no rules\n", path.c_str());
        return kExitOk;
    }
    const ParsedRules parsed = ParseRules(*file.text);
    if (parsed.error) {
        Say(path + (parsed.error->line ? ":" + std::to_string(parsed.error->line) : std::string()) + ": " +
            parsed.error->message);
        return kExitBadProfile;
    }
    const ProfileLibrary library(configHome);
    std::set<std::string> profiles;
    for (const GameRule& rule : parsed.rules.rules) {
        profiles.insert(rule.profile);
    }
    if (!parsed.rules.defaultProfile.empty()) {
        profiles.insert(parsed.rules.defaultProfile);
    }
    bool usable = true;
    for (const std::string& name : profiles) {
        usable = ProfileUsable(library, name) && usable;
    }
    if (!usable) {
        return kExitBadProfile;
    }
    std::printf("%s: %zu rules, default profile: %s\n", path.c_str(), parsed.rules.rules.size(),
                parsed.rules.defaultProfile.empty() ? "none" : parsed.rules.defaultProfile.c_str());
    return kExitOk;
}
