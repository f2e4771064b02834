// SPDX-License-Identifier: GPL-3.0-or-later
// Where config.bin and str.ini live: beside the executable for a per-user
// install, in the user's configuration folder when the executable's folder is
// closed to the user.

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/services/files.h"
#include "platform/services/user_config_folder.h"
#include "platform/str_conv.h"
#include "settings/exe_path.h"
#include "settings/settings_file.h"

namespace {

constexpr char16_t kSettingsFileName[] = u"config.bin";
constexpr char16_t kLabelFileName[] = u"str.ini";

// A user's folder starts with the shipped first-run file, so that the first
// start behaves as in a per-user install. Anything already standing in the
// file's place is left for the usual load and save to deal with.
void SeedSettingsFile(const std::u16string& shipped, const std::u16string& target)
{
    if (PathFileExistsW(target.c_str())) {
        return;
    }
    const auto content = ReadWholeFileW(shipped.c_str(), kSettingsFileSize);
    if (content && content->size() == kSettingsFileSize) {
        SaveWholeFileW(target.c_str(), *content, FileCreation::CreateIfMissing);
    }
}

void SayFolderUnusable(const std::string& configHome)
{
    static std::atomic<bool> told{false};
    if (!told.exchange(true)) {
        std::fprintf(stderr,
                     "KX-507: the program's folder cannot be written and no settings folder of yours could be "
                     "made in \"%s\": settings cannot be saved\n",
                     configHome.c_str());
    }
}

}  // namespace

SettingsFilePaths SettingsFilePathsFor(std::u16string_view modulePath, const SettingsPlacement& placement)
{
    SettingsFilePaths beside{std::u16string(modulePath), PathBesideExe(modulePath, kSettingsFileName),
                             PathBesideExe(modulePath, kLabelFileName)};
    if (!placement.exeFolderClosed) {
        return beside;
    }
    const std::string folder = UserOwnFolderBelow(placement.configHome, kUserSettingsFolderName);
    if (folder.empty()) {
        SayFolderUnusable(placement.configHome);
        return beside;
    }
    const std::u16string prefix = Utf8ToUtf16(folder) + u"/";
    SettingsFilePaths own{std::u16string(modulePath), prefix + kSettingsFileName, prefix + kLabelFileName};
    SeedSettingsFile(beside.settingsFile, own.settingsFile);
    return own;
}

SettingsFilePaths SettingsFilePathsFor(std::u16string_view modulePath)
{
    const std::string exeFolder = Utf16ToUtf8(PathBesideExe(modulePath, u""));
    return SettingsFilePathsFor(modulePath, {FolderDeniesWriting(exeFolder), UserConfigHome()});
}
