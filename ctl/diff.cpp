// SPDX-License-Identifier: GPL-3.0-or-later
// `diff`: what an import would change, setting by setting, in the profile's
// own keys and words. Both records are written as profiles in the profile's
// DPI table and compared key by key, so that diff speaks exactly the
// language of the file the user edits.

#include <cstdio>
#include <map>
#include <sstream>
#include "ctl/toml.h"

#include "ctl/commands.h"
#include "ctl/exit_status.h"
#include "ctl/profile.h"

namespace {

using Flat = std::map<std::string, std::string>;

void Flatten(const toml::node& node, const std::string& path, Flat& flat)
{
    if (const toml::table* table = node.as_table()) {
        for (auto&& [key, child] : *table) {
            Flatten(child, path.empty() ? std::string(key.str()) : path + "." + std::string(key.str()), flat);
        }
    } else if (const toml::array* array = node.as_array()) {
        for (std::size_t i = 0; i < array->size(); ++i) {
            Flatten(*array->get(i), path + "[" + std::to_string(i + 1) + "]", flat);
        }
    } else {
        std::ostringstream value;
        node.visit([&value](const auto& leaf) { value << leaf; });
        flat[path] = value.str();
    }
}

std::optional<Flat> FlatProfile(const SettingsRecord& record, std::uint8_t dpiTable, std::string& error)
{
    const ProfileText written = WriteProfile(record, dpiTable);
    if (written.error) {
        error = written.error->message;
        return std::nullopt;
    }
    Flat flat;
    Flatten(toml::parse(written.text), "", flat);
    return flat;
}

}  // namespace

int RunDiff(const SettingsFolder& folder, const std::string& profile)
{
    int status = kExitOk;
    const auto imported = ReadImportedProfile(folder, profile, status);
    if (!imported) {
        return status;
    }
    std::string error;
    const auto before = FlatProfile(imported->current.record, imported->dpiTable, error);
    if (!before) {
        std::fprintf(stderr, "kx-507-ctl: %s: %s\n", Narrow(folder.paths.settingsFile).c_str(), error.c_str());
        return kExitSettingsFiles;
    }
    const auto after = FlatProfile(imported->record, imported->dpiTable, error);
    bool different = false;
    for (const auto& [key, value] : *after) {
        const std::string& old = before->at(key);
        if (old != value) {
            std::printf("%s: %s -> %s\n", key.c_str(), old.c_str(), value.c_str());
            different = true;
        }
    }
    return different ? kExitDifferent : kExitOk;
}
