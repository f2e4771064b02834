#pragma once
// The current user's private folder for run-time files (locks, sockets):
// $XDG_RUNTIME_DIR when it is a folder of the user's that no one else can
// enter, otherwise /tmp/kx507-<uid>, created with mode 0700 and checked the
// same way. Empty when neither can be had safely.

#include <string>

std::string UserRuntimeFolder();

// `name` reduced to characters that are safe in a file name (letters, digits,
// '-', '_', '.'); anything else becomes '_'.
std::string SafeFileName(const std::u16string& name);
