// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file services for the small files beside the executable. Paths are
// UTF-16 as everywhere in system code; failures set the last error to a
// Windows error number.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/windef.h"

BOOL PathFileExistsW(const char16_t* path);

// Opens a file with a C runtime mode ("rb", "wb", "r+b", "ab") as the
// wide-character fopen does. Only regular files are opened: a folder, a pipe
// or a device is refused, so that a reader can neither block nor read without
// end. A "w" mode empties the file only after that check.
std::FILE* OpenFileW(const char16_t* path, const char16_t* mode);

// The whole content of a regular file, or nothing. A file of more than
// maxBytes bytes is not read at all (ERROR_FILE_TOO_LARGE), so that a planted
// giant cannot take the memory.
std::optional<std::string> ReadWholeFileW(const char16_t* path,
                                          std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// What tells one content of a file from another without reading it: the
// file's device and inode, its size and its modification time to the
// nanosecond.
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileVersion&) const = default;
};

// The version of the regular file at path as it opens for reading now;
// nothing when it does not (missing, unreadable, a folder, a pipe, a device).
std::optional<FileVersion> RegularFileVersionW(const char16_t* path);

// ReadWholeFileW that also gives the version of the file it read, taken from
// the open file, so that it is the version of those very bytes.
std::optional<std::string> ReadWholeFileW(const char16_t* path, std::size_t maxBytes, FileVersion& version);

enum class FileCreation {
    ExistingOnly,     // fail with ERROR_FILE_NOT_FOUND when the file is missing
    CreateIfMissing,  // a new file gets the usual mode for new files
};

// Replaces the whole content of the file so that it holds either its old bytes
// or the new ones, never a part or nothing: the new content is written to a
// temporary file in the same folder, flushed to disk and renamed over the old
// one, which keeps its permission bits. A file that may not be written fails
// even when its folder may be, and keeps its content. Only when the folder
// admits no new file but the file itself is writable is the content written in
// place instead: the file is still never emptied first, though a failure
// part-way can then leave the new bytes over the start of the old ones.
BOOL SaveWholeFileW(const char16_t* path, std::string_view content, FileCreation creation);

// One file of a joint save.
struct WholeFile {
    const char16_t* path;
    std::string_view content;
    FileCreation creation;
};

// Replaces several files together: each new content is written beside its
// file and flushed, and only when all of them are written are they renamed
// over the old files, in order. A file that cannot be written therefore
// leaves every file as it was (there is no writing in place here). Only a
// rename could fail after another has happened, which takes a folder whose
// permissions change in between.
BOOL SaveWholeFilesW(std::span<const WholeFile> files);
