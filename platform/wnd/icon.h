// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons of the program's resources. Icon 710 is the application icon: the
// window's big and small icon and the tray icon.

#include "platform/windef.h"

struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;

inline constexpr UINT IDI_KX507 = 710;

// Loads resource icon `resourceId` from the PNG files beside the executable
// (icons/kx-507-<size>.png). Missing files give an empty icon, never a
// failure; an unknown id gives nullptr.
HICON LoadIconW(UINT resourceId);
