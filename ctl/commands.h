// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands. Each returns its exit status (ctl/exit_status.h) and
// writes its errors, one line each, to standard error.

#include <cstdint>
#include <optional>
#include <string>

#include "lang/language.h"
#include "ctl/settings_folder.h"

struct ShowOptions {
    bool json = false;
    bool fromMouse = false;
    std::uint8_t dpiTable = 0;              // for the files; the mouse names its own
    std::optional<Language> language;       // the system's when not given
};

int RunShow(const SettingsFolder& folder, const ShowOptions& options);
int RunShowFromMouse(const SettingsFolder& folder, const ShowOptions& options);
int RunExport(const SettingsFolder& folder, const std::string& profile, std::uint8_t dpiTable);
int RunImport(const SettingsFolder& folder, const std::string& profile);
int RunDiff(const SettingsFolder& folder, const std::string& profile);
int RunApply(const SettingsFolder& folder);

// The record an import of `profile` would give, over the current config.bin;
// nullopt after an error message, with its exit status in `status`.
struct ImportedProfile {
    SettingsFileContent current;
    SettingsRecord record{};
    std::uint8_t dpiTable = 0;
};
std::optional<ImportedProfile> ReadImportedProfile(const SettingsFolder& folder, const std::string& profile,
                                                   int& status);

// The settings files' record as profile text with DPI positions of
// `dpiTable`; nullopt after an error message, with its exit status in `status`.
std::optional<std::string> ExportedProfile(const SettingsFolder& folder, std::uint8_t dpiTable, int& status);

// Whether the tray program runs. Otherwise the single-instance mutex is now
// this process's, so that the program cannot start while the command changes
// its files or talks to the mouse.
bool ProgramIsRunning();

// What a refusal because of the running program says.
int RefuseWhileProgramRuns(const char* command);

// The labels the key page gets for a record: slots 0 to 5 named as the
// window would name them, unless the slot's label already says what it holds;
// slots 6 and 7 as they were.
SlotLabels LabelsForRecord(const SettingsRecord& oldRecord, const SlotLabels& oldLabels,
                           const SettingsRecord& record, Language language, std::uint8_t dpiTable);
