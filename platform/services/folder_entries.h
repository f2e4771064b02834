// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folders of the user's own files read and changed by name: what kind of
// thing a name is without following it, the names a folder holds, and the
// removal of one file. Paths are UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class EntryKind {
    Missing,
    Regular,
    Folder,
    Link,   // a symbolic link, whatever it points at
    Other,  // a pipe, a socket, a device
};

// The kind of `path` itself: a link is reported as a link, not followed.
EntryKind EntryKindOf(const std::string& path);

// The names in `folder` (without "." and ".."), at most `maxEntries` of them,
// in no particular order; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> FolderEntryNames(const std::string& folder, std::size_t maxEntries);

// Removes the file or link at `path` (never a folder); false with errno's
// message in `error` otherwise.
bool RemoveFileEntry(const std::string& path, std::string& error);

