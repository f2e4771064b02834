// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window classes, as far as dialogs use them: a template may name its own
// class, which must be registered (usually a copy of the system dialog
// class "#32770" under a new name) before the dialog can be made.

#include "platform/windef.h"

struct WNDCLASSW {
    UINT style = 0;
    const char16_t* lpszClassName = nullptr;
};

inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_SAVEBITS = 0x0800;
inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;

// Only the system dialog class "#32770" and registered classes are known.
BOOL GetClassInfoW(void* instance, const char16_t* className, WNDCLASSW* info);
// Fails (ERROR_CLASS_ALREADY_EXISTS) for a name already registered.
WORD RegisterClassW(const WNDCLASSW* info);
// Succeeds also when the class exists already.
BOOL AfxRegisterClass(WNDCLASSW* info);
BOOL IsWindowClassRegistered(const char16_t* className);

struct INITCOMMONCONTROLSEX {
    DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
    DWORD dwICC = 0;
};
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
// The list box and edit controls are always there; this only accepts the call.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
