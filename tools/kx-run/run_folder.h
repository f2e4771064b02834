// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder a run takes place in: a fresh copy of the build's output folder
// (the pictures, icons and shipped config.bin beside the executables), changed
// by the script's set-up lines, so that a run never touches the user's files.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

struct Step;

// A new private folder (mode 0700) below the system's temporary folder.
// Empty when none could be made.
std::filesystem::path MakePrivateFolder(const std::string& prefix);

// Copies Skins/, icons/ and config.bin from the output folder into `to`;
// returns an error message when something could not be copied.
std::optional<std::string> CopyOutputFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// Carries out a set-up line that changes the run folder (config.bin, str.ini,
// the skins). Files named in the script are found relative to scriptFolder.
// Nothing outside the run folder is changed, whatever links it holds.
// Returns an error message when the line could not be carried out.
std::optional<std::string> ApplyFileSetup(const Step& step, const std::filesystem::path& folder,
                                          const std::filesystem::path& scriptFolder);

// The most the runner reads of one of its own input files.
inline constexpr std::size_t kMaxRunnerInputBytes = std::size_t{16} << 20;

// Reads a whole regular file of at most maxBytes bytes; nothing for anything
// else (a folder, a pipe, a device, a larger file), without waiting on it.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::size_t maxBytes = kMaxRunnerInputBytes);
