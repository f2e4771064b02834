// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/commands.h"

#include <cstdio>

#include "ctl/exit_status.h"
#include "ctl/profile.h"
#include "settings/settings_words.h"
#include "ctl/show.h"
#include "platform/hid.h"
#include "platform/services/files.h"
#include "platform/services/named_mutex.h"
#include "platform/str_conv.h"
#include "settings/single_instance.h"

namespace {

int Error(int status, const std::string& message)
{
    std::fprintf(stderr, "kx-507-ctl: %s\n", message.c_str());
    return status;
}

// The profile's text, or a message naming the file.
std::optional<std::string> ReadProfileFile(const std::string& profile, std::string& error)
{
    const std::u16string path = Utf8ToUtf16(profile);
    if (!PathFileExistsW(path.c_str())) {
        error = profile + ": no such file";
        return std::nullopt;
    }
    auto text = ReadWholeFileW(path.c_str(), kMaxProfileBytes);
    if (!text) {
        error = profile + (GetLastError() == ERROR_FILE_TOO_LARGE
                               ? ": larger than " + std::to_string(kMaxProfileBytes) + " bytes: not a profile"
                               : std::string(": cannot be read: not a regular file, or not readable"));
    }
    return text;
}

}  // namespace

std::optional<ImportedProfile> ReadImportedProfile(const SettingsFolder& folder, const std::string& profile,
                                                   int& status)
{
    std::string error;
    const auto text = ReadProfileFile(profile, error);
    if (!text) {
        status = Error(kExitBadProfile, error);
        return std::nullopt;
    }
    const auto current = ReadSettingsFile(folder, error);
    if (!current) {
        status = Error(kExitSettingsFiles, error);
        return std::nullopt;
    }
    ImportedProfile imported{*current, current->record, 0};
    if (const auto failure = ReadProfile(*text, imported.record, imported.dpiTable)) {
        status = Error(kExitBadProfile, FormatProfileError(profile, *failure) + "; nothing was changed");
        return std::nullopt;
    }
    return imported;
}

bool ProgramIsRunning()
{
    // Once this process holds the mutex, a second look (import then apply)
    // must not mistake its own lock for the program's.
    static bool held = false;
    if (held) {
        return false;
    }
    CreateMutexW(nullptr, FALSE, kSingleInstanceMutex);
    held = GetLastError() != ERROR_ALREADY_EXISTS;
    return !held;
}

int RefuseWhileProgramRuns(const char* command)
{
    return Error(kExitProgramRunning, std::string("KX-507 is running and holds the settings and the mouse; ") +
                                          command + " changes nothing while it runs. End it from its tray menu "
                                          "(Exit), then try again.");
}

SlotLabels LabelsForRecord(const SettingsRecord& oldRecord, const SlotLabels& oldLabels,
                           const SettingsRecord& record, Language language, std::uint8_t dpiTable)
{
    SlotLabels labels = oldLabels;  // slots 6 and 7 are carried
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
            const std::u16string label = SlotLabelOf(record, keySet, slot, language, dpiTable);
            // A label the window wrote from a key name the vocabulary lacks
            // says more than the name the record allows; keep it while the
            // slot holds the same.
            const bool same = !oldLabels[keySet][slot].empty() &&
                              oldRecord.buttonFunction[SlotIndex(keySet, slot)] ==
                                  record.buttonFunction[SlotIndex(keySet, slot)] &&
                              SlotLabelOf(oldRecord, keySet, slot, language, dpiTable) == label;
            if (!same) {
                labels[keySet][slot] = label;
            }
        }
    }
    return labels;
}

int RunShow(const SettingsFolder& folder, const ShowOptions& options)
{
    if (options.fromMouse) {
        return RunShowFromMouse(folder, options);
    }
    std::string error;
    const auto content = ReadSettingsFile(folder, error);
    if (!content) {
        return Error(kExitSettingsFiles, error);
    }
    const SettingsView view{content->record, options.dpiTable, false};
    const std::string text = options.json ? ShowJson(view) : ShowText(view, options.language.value_or(folder.language));
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

std::optional<std::string> ExportedProfile(const SettingsFolder& folder, std::uint8_t dpiTable, int& status)
{
    std::string error;
    const auto content = ReadSettingsFile(folder, error);
    if (!content) {
        status = Error(kExitSettingsFiles, error);
        return std::nullopt;
    }
    ProfileText written = WriteProfile(content->record, dpiTable);
    if (written.error) {
        status = Error(kExitSettingsFiles, FormatProfileError(Narrow(folder.paths.settingsFile), *written.error));
        return std::nullopt;
    }
    return std::move(written.text);
}

int RunExport(const SettingsFolder& folder, const std::string& profile, std::uint8_t dpiTable)
{
    int status = kExitOk;
    const auto written = ExportedProfile(folder, dpiTable, status);
    if (!written) {
        return status;
    }
    if (profile == "-") {
        std::fputs(written->c_str(), stdout);
        return kExitOk;
    }
    if (!SaveWholeFileW(Utf8ToUtf16(profile).c_str(), *written, FileCreation::CreateIfMissing)) {
        return Error(kExitWriteFailed, profile + ": cannot be written (error " + std::to_string(GetLastError()) + ")");
    }
    return kExitOk;
}

int RunImport(const SettingsFolder& folder, const std::string& profile)
{
    if (ProgramIsRunning()) {
        return RefuseWhileProgramRuns("import");
    }
    int status = kExitOk;
    const auto imported = ReadImportedProfile(folder, profile, status);
    if (!imported) {
        return status;
    }
    SlotLabels oldLabels;
    LoadLabels(folder.paths.labelFile, folder.labelSection, oldLabels);
    const SlotLabels labels = LabelsForRecord(imported->current.record, oldLabels, imported->record, folder.language,
                                              imported->dpiTable);
    std::string error;
    if (!WriteSettingsAndLabels(folder, imported->current, imported->record, labels, error)) {
        return Error(kExitWriteFailed, error);
    }
    return kExitOk;
}
