// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/folder_entries.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>


EntryKind EntryKindOf(const std::string& path)
{
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) {
        return EntryKind::Missing;
    }
    if (S_ISREG(st.st_mode)) {
        return EntryKind::Regular;
    }
    if (S_ISDIR(st.st_mode)) {
        return EntryKind::Folder;
    }
    return S_ISLNK(st.st_mode) ? EntryKind::Link : EntryKind::Other;
}

std::optional<std::vector<std::string>> FolderEntryNames(const std::string& folder, std::size_t maxEntries)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (names.size() < maxEntries) {
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            break;
        }
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    return names;
}

bool RemoveFileEntry(const std::string& path, std::string& error)
{
    if (::unlink(path.c_str()) == 0) {
        return true;
    }
    error = std::strerror(errno);
    return false;
}

