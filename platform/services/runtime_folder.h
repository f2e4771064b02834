// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The current user's private folder for run-time files (the single-instance
// lock, the channel's socket): a real folder of the user's that no one else
// can enter, and that no other user can have made or filled beforehand.

#include <optional>
#include <string>

// A folder, or a link to one, of the user's that no one else may write to:
// nothing in it can have been put there by another user.
bool IsUsersOwnFolder(const std::string& folder);

// The user's home folder as the user database gives it; empty when unknown.
std::string UserHomeFolder();

// Where the folder may be, in the order tried.
struct RuntimeFolderPlaces {
    std::string runtimeDir;  // $XDG_RUNTIME_DIR, used as it is
    std::string runUser;     // /run/user/<uid>, used as it is
    std::string home;        // the user's home: .cache/kx507-<host> below it is made
    std::string temp;        // /tmp: kx507-<uid> below it is made
};

// The places of this user on this machine.
RuntimeFolderPlaces SystemRuntimeFolderPlaces();

// The first of the places that is the user's and closed to everyone else.
// The folders below home and temp are made (mode 0700) when missing; the one
// below home only when home and its .cache are the user's and no one else may
// write to them, so that no other user can put anything in the way. Empty
// when there is none.
std::string ChooseRuntimeFolder(const RuntimeFolderPlaces& places);

// ChooseRuntimeFolder of the system's places (or of those set for testing).
// When there is none it says so on standard error, once per process.
std::string UserRuntimeFolder();

// Replaces the system's places until called with nothing.
void SetRuntimeFolderPlacesForTesting(std::optional<RuntimeFolderPlaces> places);

// `name` reduced to characters that are safe in a file name (letters, digits,
// '-', '_', '.'); anything else becomes '_'.
std::string SafeFileName(const std::u16string& name);
