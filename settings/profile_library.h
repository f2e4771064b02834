// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profile library: profiles kept as NAME.toml in the user's
// configuration folder (kx-507/profiles below it), listed, read, saved and
// removed by name. The names come from users and the files from anyone who
// could write there, so both are checked: a name never leaves the folder,
// and only a regular file of bounded size is read (a link, a pipe or a
// folder in its place is refused, never followed or waited on).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/untrusted_file.h"

// A profile name's longest form in bytes; file systems allow 255 for the
// whole file name, and a name is meant to be typed.
inline constexpr std::size_t kMaxProfileNameBytes = 64;
// The most entries the library lists; a folder with more is not the user's
// collection of profiles.
inline constexpr std::size_t kMaxLibraryEntries = 4096;

// Why `name` cannot name a profile, or nothing when it can: empty, too long,
// not UTF-8, holding a control character or a path separator, or starting
// with a dot.
std::optional<std::string> ProfileNameProblem(std::string_view name);

struct LibraryRead {
    std::optional<std::string> text;
    std::string error;  // "PATH: why", when there is no text
};

class ProfileLibrary {
public:
    // The library below `configHome` (an absolute folder; empty when there is none).
    explicit ProfileLibrary(std::string configHome);
    // The library of this user ($XDG_CONFIG_HOME, else ~/.config).
    static ProfileLibrary OfUser();

    const std::string& Folder() const { return m_folder; }
    std::string PathOf(std::string_view name) const;

    // The names of the profiles in the library, sorted; entries that are not
    // regular NAME.toml files with a valid name are left out. An empty list
    // when the folder does not exist yet.
    std::vector<std::string> Names() const;

    // The text of profile `name` (at most maxBytes).
    LibraryRead Read(std::string_view name, std::size_t maxBytes) const;

    // Saves `text` as profile `name`, making the folders (mode 0700) when
    // missing. The old file is replaced only by a complete new one.
    bool Save(std::string_view name, std::string_view text, std::string& error) const;

    // Removes profile `name`.
    bool Remove(std::string_view name, std::string& error) const;

private:
    std::string m_configHome;
    std::string m_folder;
};
