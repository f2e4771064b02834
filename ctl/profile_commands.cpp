// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/profile_commands.h"

#include <cstdio>

#include "ctl/exit_status.h"
#include "ctl/profile.h"
#include "ctl/show.h"
#include "settings/profile_library.h"

namespace {

int Error(int status, const std::string& message)
{
    std::fprintf(stderr, "kx-507-ctl: %s\n", message.c_str());
    return status;
}

// The library's file of profile `name` after the checks a reader needs (a
// valid name, a regular file of profile size): its path, or nothing after a
// message with its status in `status`.
std::optional<std::string> CheckedProfilePath(const ProfileLibrary& library, const std::string& name, int& status)
{
    if (const auto problem = ProfileNameProblem(name)) {
        status = Error(kExitUsage, *problem);
        return std::nullopt;
    }
    const LibraryRead read = library.Read(name, kMaxProfileBytes);
    if (!read.text) {
        status = Error(kExitBadProfile, read.error);
        return std::nullopt;
    }
    return library.PathOf(name);
}

}  // namespace

int RunProfileList()
{
    for (const std::string& name : ProfileLibrary::OfUser().Names()) {
        std::printf("%s\n", name.c_str());
    }
    return kExitOk;
}

int RunProfileSave(const SettingsFolder& folder, const std::string& name, std::uint8_t dpiTable)
{
    if (const auto problem = ProfileNameProblem(name)) {
        return Error(kExitUsage, *problem);
    }
    int status = kExitOk;
    const auto written = ExportedProfile(folder, dpiTable, status);
    if (!written) {
        return status;
    }
    std::string error;
    if (!ProfileLibrary::OfUser().Save(name, *written, error)) {
        return Error(kExitWriteFailed, error);
    }
    return kExitOk;
}

int RunProfileUse(const SettingsFolder& folder, const std::string& name)
{
    if (ProgramIsRunning()) {
        return RefuseWhileProgramRuns("profile use");
    }
    int status = kExitOk;
    const auto path = CheckedProfilePath(ProfileLibrary::OfUser(), name, status);
    if (!path) {
        return status;
    }
    status = RunImport(folder, *path);
    return status == kExitOk ? RunApply(folder) : status;
}

int RunProfileRemove(const std::string& name)
{
    if (const auto problem = ProfileNameProblem(name)) {
        return Error(kExitUsage, *problem);
    }
    std::string error;
    if (!ProfileLibrary::OfUser().Remove(name, error)) {
        return Error(error.ends_with("no such profile") ? kExitBadProfile : kExitWriteFailed, error);
    }
    return kExitOk;
}

int RunProfileShow(const SettingsFolder& folder, const std::string& name, const ShowOptions& options)
{
    int status = kExitOk;
    const auto path = CheckedProfilePath(ProfileLibrary::OfUser(), name, status);
    if (!path) {
        return status;
    }
    const auto imported = ReadImportedProfile(folder, *path, status);
    if (!imported) {
        return status;
    }
    const SettingsView view{imported->record, imported->dpiTable, false};
    const std::string text =
        options.json ? ShowJson(view) : ShowText(view, options.language.value_or(folder.language));
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}
