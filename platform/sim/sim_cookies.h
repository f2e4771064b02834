// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers the simulated machine's sources share: handles are numbered
// cookies, failures set the thread's last error.

#include <cstdint>

#include "platform/hid.h"

inline constexpr std::uintptr_t kSimHandleStep = 4;

inline HANDLE CookieHandle(std::uintptr_t cookie) { return reinterpret_cast<HANDLE>(cookie); }
inline std::uintptr_t HandleCookie(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

inline BOOL FailWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

inline char16_t SimLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
