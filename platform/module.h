// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running executable's own path and the application name derived from it.

#include <optional>
#include <string>

#include "platform/windef.h"

// Copies the executable's full path into buffer, cut to size - 1 characters and
// NUL-terminated as Windows does; returns the number of characters copied.
DWORD GetModuleFileNameW(void* module, char16_t* buffer, DWORD size);

// The executable's file name without its extension ("KX-507", "KX-507-demo"):
// the caption of message boxes that pass none.
std::u16string ApplicationName();

// Makes ApplicationName report `name` until cleared with nullopt, so that the
// scripted runner, which runs the program inside its own executable, shows the
// program's own captions.
void SetApplicationNameForTesting(std::optional<std::u16string> name);
