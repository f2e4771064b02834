// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shell "open" of a web address, through a replaceable opener: the desktop
// hands the address to the user's browser, tests and the scripted runner
// record it instead.

#include <string_view>

#include "platform/windef.h"

using HINSTANCE = void*;

class IShellOpener {
public:
    virtual ~IShellOpener() = default;
    // Starts opening the target and returns whether that could be started.
    virtual bool Open(std::u16string_view target) = 0;
};

// Installs the opener used from now on and returns the previous one; the
// caller keeps ownership. nullptr restores the desktop opener (xdg-open).
IShellOpener* SetShellOpener(IShellOpener* opener);

// Only the "open" verb (or none, which means open) of a non-empty target is
// supported. As on Windows, a result above 32 means success; failures return
// SE_ERR_NOASSOC (31) for another verb, SE_ERR_FNF (2) for an empty target
// and SE_ERR_ACCESSDENIED (5) when the opener could not start.
HINSTANCE ShellExecuteW(HWND window, const char16_t* operation, const char16_t* file, const char16_t* parameters,
                        const char16_t* directory, int showCommand);
