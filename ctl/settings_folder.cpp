// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/settings_folder.h"

#include <cstring>

#include "lang/main_strings.h"
#include "platform/hid.h"
#include "platform/services/files.h"
#include "platform/services/system_info.h"
#include "platform/str_conv.h"
#include "settings/exe_path.h"

namespace {

std::string ContentOf(std::uint8_t firstRunFlag, const SettingsRecord& record)
{
    std::string bytes(kSettingsFileSize, '\0');
    bytes[0] = static_cast<char>(firstRunFlag);
    std::memcpy(bytes.data() + 1, &record, kSettingsRecordSize);
    return bytes;
}

}  // namespace

std::string Narrow(const std::u16string& path) { return Utf16ToUtf8(path); }

SettingsFolder ProgramSettingsFolder()
{
    SettingsFolder folder;
    folder.paths = SettingsFilePathsFor(ModulePath());
    folder.language = LanguageFromLangId(GetSystemDefaultLangID());
    folder.labelSection = std::u16string(MainWindowText(&MainWindowStrings::strSettingsSection).In(folder.language));
    return folder;
}

std::optional<SettingsFileContent> ReadSettingsFile(const SettingsFolder& folder, std::string& error)
{
    const std::string name = Narrow(folder.paths.settingsFile);
    if (!PathFileExistsW(folder.paths.settingsFile.c_str())) {
        error = name + ": no such file (the program's config.bin)";
        return std::nullopt;
    }
    const auto bytes = ReadWholeFileW(folder.paths.settingsFile.c_str(), kSettingsFileSize + 1);
    if (!bytes) {
        error = name + ": cannot be read (not a regular file, or not readable)";
        return std::nullopt;
    }
    if (bytes->size() != kSettingsFileSize) {
        error = name + ": not 180 bytes long, so not the program's settings";
        return std::nullopt;
    }
    SettingsFileContent content;
    content.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
    std::memcpy(&content.record, bytes->data() + 1, kSettingsRecordSize);
    return content;
}

bool WriteSettingsAndLabels(const SettingsFolder& folder, const SettingsFileContent& old,
                            const SettingsRecord& record, const SlotLabels& labels, std::string& error)
{
    const auto labelContent = LabelFileContentWith(folder.paths.labelFile, folder.labelSection, labels);
    if (!labelContent) {
        error = Narrow(folder.paths.labelFile) + ": cannot be read, so its labels cannot be set; nothing was changed";
        return false;
    }
    const std::string settingsContent = ContentOf(old.firstRunFlag, record);
    const WholeFile files[] = {
        {folder.paths.settingsFile.c_str(), settingsContent, FileCreation::ExistingOnly},
        {folder.paths.labelFile.c_str(), *labelContent, FileCreation::CreateIfMissing},
    };
    if (!SaveWholeFilesW(files)) {
        error = Narrow(folder.paths.settingsFile) + " and " + Narrow(folder.paths.labelFile) +
                ": cannot be written (error " + std::to_string(GetLastError()) + "); nothing was changed";
        return false;
    }
    return true;
}
