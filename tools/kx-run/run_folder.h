#pragma once
// The folder a run takes place in: a fresh copy of the build's output folder
// (the pictures, icons and shipped config.bin beside the executables), changed
// by the script's set-up lines, so that a run never touches the user's files.

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
// Returns an error message when the line could not be carried out.
std::optional<std::string> ApplyFileSetup(const Step& step, const std::filesystem::path& folder,
                                          const std::filesystem::path& scriptFolder);

// Reads a whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
