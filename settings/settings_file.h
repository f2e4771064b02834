// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// config.bin: the first-run flag and the settings record, 180 bytes beside the
// executable (or in the user's configuration folder for a system-wide
// install). The program reads and rewrites the file but never creates it,
// except as the copy of the shipped one that starts a user's own folder.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/outcome.h"
#include "settings/settings_record.h"

inline constexpr std::size_t kSettingsFileSize = 1 + kSettingsRecordSize;
static_assert(kSettingsFileSize == 180);

// The module path and the two settings files formed from it.
struct SettingsFilePaths {
    std::u16string modulePath;
    std::u16string settingsFile;  // config.bin
    std::u16string labelFile;     // str.ini
};

// What decides where the two files live (see SettingsFilePathsFor).
struct SettingsPlacement {
    bool exeFolderClosed = false;  // the user may not create files beside the executable
    std::string configHome;        // the user's configuration folder ($XDG_CONFIG_HOME, ~/.config)
};

// Where the files live for the user: the folder of the executable, or, when
// that folder is closed to the user (a system-wide install), the folder
// kx-507 in the user's configuration folder. That folder is made on the
// first call, and a missing config.bin in it is seeded from the one shipped
// beside the executable (when that is a regular file of exactly the file's
// size). When the folder cannot be made the user's own, the files stay beside
// the executable, where saving then fails as it would anyway.
SettingsFilePaths SettingsFilePathsFor(std::u16string_view modulePath, const SettingsPlacement& placement);

// The same with this process's user, environment and executable's folder.
// Every part of the program finds config.bin and str.ini through this call.
SettingsFilePaths SettingsFilePathsFor(std::u16string_view modulePath);

// The name of the folder in the user's configuration folder.
inline constexpr char kUserSettingsFolderName[] = "kx-507";

// Reads config.bin into the first-run flag and the record when it holds
// exactly 180 bytes; any other length, or a file that cannot be read, changes
// neither and is done all the same. A missing file is SettingsMissing.
Outcome LoadSettingsFile(const std::u16string& settingsFile, std::uint8_t& firstRunFlag, SettingsRecord& record);

// Rewrites config.bin as the byte 1 and the record. A missing file is
// SettingsMissing and is not created; a file that cannot be written is
// SettingsWrite with the system's code and keeps its old content. The file
// is replaced as a whole, never emptied or left half written.
Outcome SaveSettingsFile(const std::u16string& settingsFile, const SettingsRecord& record);
