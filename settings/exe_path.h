// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The module path and every path beside the executable: config.bin, str.ini,
// the skin folders and the dialogs' picture folders are all found here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The executable's file name as shipped; paths beside it are formed by putting
// another name in its place.
inline constexpr std::u16string_view kExeName = u"KX-507.exe";

// Characters read for the module path.
inline constexpr std::size_t kModulePathCapacity = 1024;

// The running executable's full path.
std::u16string ModulePath();

// Makes ModulePath report `path` until cleared with nullopt, so that tests and
// the scripted runner can give the program a folder of files of their own.
void SetModulePathForTesting(std::optional<std::u16string> path);

// Replaces every occurrence of "KX-507.exe" in path, case-sensitively, with
// name and returns the number of replacements.
int ReplaceExeName(std::u16string& path, std::u16string_view name);

// The path of `name` (a file name, or a folder such as "/Skins/EN") beside the
// executable whose full path is modulePath. Where the executable keeps its
// shipped name, this is exactly ReplaceExeName's result. Under any other name
// (on Linux "KX-507" or "KX-507-demo") nothing would be replaced, so the
// executable's folder and the name are joined with exactly one '/' instead.
std::u16string PathBesideExe(std::u16string_view modulePath, std::u16string_view name);

// The same, beside the running executable.
std::u16string PathBesideExe(std::u16string_view name);
