#pragma once
// config.bin: the first-run flag and the settings record, 180 bytes beside the
// executable. The program reads and rewrites the file but never creates it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/windef.h"
#include "settings/settings_record.h"

inline constexpr std::size_t kSettingsFileSize = 1 + kSettingsRecordSize;
static_assert(kSettingsFileSize == 180);

// The module path and the two settings files formed from it.
struct SettingsFilePaths {
    std::u16string modulePath;
    std::u16string settingsFile;  // config.bin
    std::u16string labelFile;     // str.ini
};

SettingsFilePaths SettingsFilePathsFor(std::u16string_view modulePath);

// Reads config.bin into the first-run flag and the record when it holds
// exactly 180 bytes; any other length, or a file that cannot be read, changes
// neither. A missing file shows "Config file is not exist." (caption: the
// application name) owned by `owner`.
void LoadSettingsFile(HWND owner, const std::u16string& settingsFile, std::uint8_t& firstRunFlag,
                      SettingsRecord& record);

// The start-up load: forms the paths from the running executable's module
// path, loads config.bin as above and returns the paths.
SettingsFilePaths LoadSettingsFile(HWND owner, std::uint8_t& firstRunFlag, SettingsRecord& record);

// Rewrites config.bin as the byte 1 and the record. A missing file shows
// "Config file is not exist." and is not created; a file that cannot be
// written shows "Error Code is: <code> \n" with the caption "NULL ==fp " and
// keeps its old content. The file is replaced as a whole, never emptied or
// left half written. Returns whether the file was written.
bool SaveSettingsFile(HWND owner, const std::u16string& settingsFile, const SettingsRecord& record);
