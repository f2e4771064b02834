// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's settings files as the command finds and changes them: the
// same paths the program forms from its module path, the section of the
// language in force, and a change of both files that leaves both as they
// were when it fails.

#include <cstdint>
#include <optional>
#include <string>

#include "lang/language.h"
#include "settings/label_file.h"
#include "settings/settings_file.h"

struct SettingsFolder {
    SettingsFilePaths paths;
    Language language = Language::English;
    std::u16string labelSection;  // "Setting-EN", "Setting-CHS" or "Setting-CHT"
};

// The files beside the running executable, in the system's language.
SettingsFolder ProgramSettingsFolder();

// config.bin as it is on disk.
struct SettingsFileContent {
    std::uint8_t firstRunFlag = 0;
    SettingsRecord record{};
};

// Reads config.bin; nullopt with a message naming the file when it is
// missing, not a regular file or not exactly 180 bytes.
std::optional<SettingsFileContent> ReadSettingsFile(const SettingsFolder& folder, std::string& error);

// Writes config.bin (keeping its first-run flag) and the labels, both or
// neither: both new files are written in full before either replaces its
// old one. False with a message on failure.
bool WriteSettingsAndLabels(const SettingsFolder& folder, const SettingsFileContent& old,
                            const SettingsRecord& record, const SlotLabels& labels, std::string& error);

// UTF-8 path for messages.
std::string Narrow(const std::u16string& path);
