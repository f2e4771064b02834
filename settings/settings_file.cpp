// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/hid.h"
#include "platform/msg_box.h"
#include "platform/services/files.h"
#include "platform/winuser.h"
#include "settings/exe_path.h"

namespace {

constexpr char16_t kMissingText[] = u"Config file is not exist.";
constexpr char16_t kWriteFailureCaption[] = u"NULL ==fp ";
constexpr std::uint8_t kAppliedFlag = 1;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool ReportIfMissing(HWND owner, const std::u16string& settingsFile)
{
    if (PathFileExistsW(settingsFile.c_str())) {
        return false;
    }
    MessageBoxW(owner, kMissingText, nullptr, MB_OK);
    return true;
}

std::u16string WriteFailureText(DWORD error)
{
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "Error Code is: %d \n", static_cast<int>(error));
    return std::u16string(text.data(), text.data() + std::strlen(text.data()));
}

}  // namespace

void LoadSettingsFile(HWND owner, const std::u16string& settingsFile, std::uint8_t& firstRunFlag,
                      SettingsRecord& record)
{
    if (ReportIfMissing(owner, settingsFile)) {
        return;
    }
    const FilePtr file(OpenFileW(settingsFile.c_str(), u"rb"));
    if (!file) {
        return;
    }
    std::fseek(file.get(), 0, SEEK_END);
    const long length = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    if (length != static_cast<long>(kSettingsFileSize)) {
        return;
    }
    // Read whole before taking anything, so that a file cut short while being
    // read leaves the flag and the record as they were.
    std::array<std::uint8_t, kSettingsFileSize> bytes{};
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return;
    }
    firstRunFlag = bytes[0];
    std::memcpy(&record, bytes.data() + 1, kSettingsRecordSize);
}

SettingsFilePaths LoadSettingsFile(HWND owner, std::uint8_t& firstRunFlag, SettingsRecord& record)
{
    SettingsFilePaths paths = SettingsFilePathsFor(ModulePath());
    LoadSettingsFile(owner, paths.settingsFile, firstRunFlag, record);
    return paths;
}

bool SaveSettingsFile(HWND owner, const std::u16string& settingsFile, const SettingsRecord& record)
{
    if (ReportIfMissing(owner, settingsFile)) {
        return false;
    }
    std::array<char, kSettingsFileSize> bytes{};
    bytes[0] = static_cast<char>(kAppliedFlag);
    std::memcpy(bytes.data() + 1, &record, kSettingsRecordSize);
    if (!SaveWholeFileW(settingsFile.c_str(), std::string_view(bytes.data(), bytes.size()),
                        FileCreation::ExistingOnly)) {
        const std::u16string text = WriteFailureText(GetLastError());
        MessageBoxW(owner, text.c_str(), kWriteFailureCaption, MB_OK);
        return false;
    }
    return true;
}
