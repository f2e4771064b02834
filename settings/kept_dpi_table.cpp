// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/kept_dpi_table.h"

#include "platform/services/files.h"
#include "platform/services/folder_entries.h"
#include "platform/services/user_config_folder.h"
#include "platform/str_conv.h"
#include "settings/settings_file.h"
#include "settings/untrusted_file.h"

namespace {

constexpr const char* kProgramFolder = kUserSettingsFolderName;
constexpr char kFileName[] = "dpi-table";
// "3\n" and a little slack for a hand edit's "\r\n"; more is not this file.
constexpr std::size_t kMaxBytes = 8;
constexpr std::uint8_t kTableCount = 4;

}  // namespace

std::string KeptDpiTablePath(const std::string& stateHome)
{
    return stateHome + "/" + kProgramFolder + "/" + kFileName;
}

bool KeepDpiTable(const std::string& stateHome, std::uint8_t table)
{
    if (table >= kTableCount) {
        return false;
    }
    const std::string folder = UserOwnFolderBelow(stateHome, kProgramFolder);
    if (folder.empty()) {
        return false;
    }
    const std::string path = KeptDpiTablePath(stateHome);
    const EntryKind kind = EntryKindOf(path);
    if (kind != EntryKind::Missing && kind != EntryKind::Regular) {
        return false;
    }
    const std::string content{static_cast<char>('0' + table), '\n'};
    if (ReadWholeFileW(Utf8ToUtf16(path).c_str(), kMaxBytes) == content) {
        return true;  // unchanged: no write at every read of the mouse
    }
    return SaveWholeFileW(Utf8ToUtf16(path).c_str(), content, FileCreation::CreateIfMissing) != 0;
}

KeptDpiTable ReadKeptDpiTable(const std::string& stateHome)
{
    if (stateHome.empty() || stateHome.front() != '/') {
        return {};
    }
    const std::string path = KeptDpiTablePath(stateHome);
    const UntrustedRead read = ReadUntrustedFile(path, kMaxBytes);
    if (read.missing) {
        return {};
    }
    if (!read.text) {
        return {std::nullopt, read.error + "; ignored"};
    }
    std::string digits = *read.text;
    while (!digits.empty() && (digits.back() == '\n' || digits.back() == '\r')) {
        digits.pop_back();
    }
    if (digits.size() != 1 || digits[0] < '0' || digits[0] >= '0' + kTableCount) {
        return {std::nullopt, path + ": does not hold a DPI table (0 to 3); ignored"};
    }
    return {static_cast<std::uint8_t>(digits[0] - '0'), {}};
}
