// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a file of the run folder for "show": only a regular file, and only
// its first bytes, so that whatever stands in its place (a folder, a pipe, a
// device, a huge file) gives an answer instead of a hang or an endless read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

struct ShownFile {
    enum class State { Read, Missing, NotRegular, Unreadable };
    State state = State::Missing;
    std::string content;      // at most the first `limit` bytes
    std::uintmax_t size = 0;  // the whole file's size
    std::string what;         // for NotRegular: "a folder", "a device", ...
};

inline constexpr std::size_t kShownFileLimit = 4096;

ShownFile ReadShownFile(const std::filesystem::path& path, std::size_t limit = kShownFileLimit);
