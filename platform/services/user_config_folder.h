// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config) and a
// folder of the program's own below it, for a program installed where its
// user may not write.

#include <string>

// $XDG_CONFIG_HOME when it is an absolute path; otherwise (unset, empty or
// relative, which the base-directory rules say to ignore) <home>/.config,
// home being $HOME when that is absolute, else the user database's entry.
// Empty when there is no home either.
std::string UserConfigHome(const char* xdgConfigHome, const char* home);

// The same for this process's environment.
std::string UserConfigHome();

// The same rule for the state folder: $XDG_STATE_HOME, else <home>/.local/state.
std::string UserStateHome(const char* xdgStateHome, const char* home);
std::string UserStateHome();

// True only when the folder exists and this user may not create files in it
// (no write permission, or a read-only file system). A missing folder or any
// other failure counts as not denied, so the caller keeps its usual place.
bool FolderDeniesWriting(const std::string& folder);

// configHome/name, made with mode 0700 (configHome too, when missing) and
// returned when both are folders of the user's that no one else may write to,
// so nothing in them can have been put there by another user. Empty otherwise.
std::string UserOwnFolderBelow(const std::string& configHome, const std::string& name);
