// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/hid.h"
#include "platform/services/files.h"

namespace {

constexpr std::uint8_t kAppliedFlag = 1;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

Outcome LoadSettingsFile(const std::u16string& settingsFile, std::uint8_t& firstRunFlag, SettingsRecord& record)
{
    if (!PathFileExistsW(settingsFile.c_str())) {
        return {Failure::SettingsMissing};
    }
    const FilePtr file(OpenFileW(settingsFile.c_str(), u"rb"));
    if (!file) {
        return {};
    }
    std::fseek(file.get(), 0, SEEK_END);
    const long length = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    if (length != static_cast<long>(kSettingsFileSize)) {
        return {};
    }
    // Read whole before taking anything, so that a file cut short while being
    // read leaves the flag and the record as they were.
    std::array<std::uint8_t, kSettingsFileSize> bytes{};
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return {};
    }
    firstRunFlag = bytes[0];
    std::memcpy(&record, bytes.data() + 1, kSettingsRecordSize);
    return {};
}

Outcome SaveSettingsFile(const std::u16string& settingsFile, const SettingsRecord& record)
{
    if (!PathFileExistsW(settingsFile.c_str())) {
        return {Failure::SettingsMissing};
    }
    std::array<char, kSettingsFileSize> bytes{};
    bytes[0] = static_cast<char>(kAppliedFlag);
    std::memcpy(bytes.data() + 1, &record, kSettingsRecordSize);
    if (!SaveWholeFileW(settingsFile.c_str(), std::string_view(bytes.data(), bytes.size()),
                        FileCreation::ExistingOnly)) {
        return {Failure::SettingsWrite, static_cast<std::uint32_t>(GetLastError())};
    }
    return {};
}
