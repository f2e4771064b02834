// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_library.h"

#include <algorithm>

#include "platform/hid.h"
#include "platform/services/files.h"
#include "platform/services/folder_entries.h"
#include "platform/services/user_config_folder.h"
#include "platform/str_conv.h"
#include "settings/settings_file.h"

namespace {

constexpr std::string_view kProgramFolder = kUserSettingsFolderName;
constexpr std::string_view kLibraryFolder = "profiles";
constexpr std::string_view kExtension = ".toml";

bool IsControl(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }

}  // namespace

std::optional<std::string> ProfileNameProblem(std::string_view name)
{
    if (name.empty()) {
        return "a profile name cannot be empty";
    }
    if (name.size() > kMaxProfileNameBytes) {
        return "a profile name has at most " + std::to_string(kMaxProfileNameBytes) + " bytes";
    }
    // Bytes that are not UTF-8 decode to U+FFFD, so only UTF-8 survives the
    // round trip unchanged.
    const std::u16string wide = Utf8ToUtf16(name);
    if (Utf16ToUtf8(wide) != name) {
        return "a profile name must be UTF-8 text";
    }
    for (const char16_t unit : wide) {
        if (IsControl(unit)) {
            return "a profile name cannot hold control characters";
        }
        if (unit == u'/' || unit == u'\\') {
            return "a profile name cannot hold / or \\";
        }
    }
    if (name.front() == '.') {
        return "a profile name cannot start with a dot";
    }
    return std::nullopt;
}

ProfileLibrary::ProfileLibrary(std::string configHome) : m_configHome(std::move(configHome))
{
    if (!m_configHome.empty() && m_configHome.front() == '/') {
        m_folder = m_configHome + "/" + std::string(kProgramFolder) + "/" + std::string(kLibraryFolder);
    }
}

ProfileLibrary ProfileLibrary::OfUser() { return ProfileLibrary(UserConfigHome()); }

std::string ProfileLibrary::PathOf(std::string_view name) const
{
    return m_folder + "/" + std::string(name) + std::string(kExtension);
}

std::vector<std::string> ProfileLibrary::Names() const
{
    std::vector<std::string> names;
    if (m_folder.empty() || EntryKindOf(m_folder) != EntryKind::Folder) {
        return names;
    }
    for (const std::string& entry : FolderEntryNames(m_folder, kMaxLibraryEntries).value_or(names)) {
        if (entry.size() <= kExtension.size() || !entry.ends_with(kExtension)) {
            continue;
        }
        std::string name = entry.substr(0, entry.size() - kExtension.size());
        if (!ProfileNameProblem(name) && EntryKindOf(PathOf(name)) == EntryKind::Regular) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

LibraryRead ProfileLibrary::Read(std::string_view name, std::size_t maxBytes) const
{
    if (const auto problem = ProfileNameProblem(name)) {
        return {std::nullopt, *problem};
    }
    if (m_folder.empty()) {
        return {std::nullopt, "there is no home folder to keep profiles in"};
    }
    UntrustedRead read = ReadUntrustedFile(PathOf(name), maxBytes);
    if (read.missing) {
        read.error = PathOf(name) + ": no such profile";
    }
    return {std::move(read.text), std::move(read.error)};
}

bool ProfileLibrary::Save(std::string_view name, std::string_view text, std::string& error) const
{
    if (const auto problem = ProfileNameProblem(name)) {
        error = *problem;
        return false;
    }
    if (m_folder.empty()) {
        error = "there is no home folder to keep profiles in";
        return false;
    }
    const std::string programFolder = UserOwnFolderBelow(m_configHome, std::string(kProgramFolder));
    if (programFolder.empty() || UserOwnFolderBelow(programFolder, std::string(kLibraryFolder)).empty()) {
        error = m_folder + ": cannot be made, or is not a folder of this user's that only this user may change";
        return false;
    }
    const std::string path = PathOf(name);
    const EntryKind kind = EntryKindOf(path);
    if (kind != EntryKind::Missing && kind != EntryKind::Regular) {
        error = path + ": not a regular file; it is left as it is";
        return false;
    }
    if (!SaveWholeFileW(Utf8ToUtf16(path).c_str(), text, FileCreation::CreateIfMissing)) {
        error = path + ": cannot be written (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool ProfileLibrary::Remove(std::string_view name, std::string& error) const
{
    if (const auto problem = ProfileNameProblem(name)) {
        error = *problem;
        return false;
    }
    const std::string path = PathOf(name);
    const EntryKind kind = EntryKindOf(path);
    if (m_folder.empty() || kind == EntryKind::Missing) {
        error = path + ": no such profile";
        return false;
    }
    if (kind == EntryKind::Folder) {
        error = path + ": a folder, not a profile; it is left as it is";
        return false;
    }
    std::string why;
    if (!RemoveFileEntry(path, why)) {
        error = path + ": cannot be removed (" + why + ")";
        return false;
    }
    return true;
}
