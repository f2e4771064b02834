// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours every skinned window uses for its texts and its lists.

#include "platform/windef.h"

inline constexpr COLORREF kSkinTextColor = 0xC6FF00;   // RGB(0x00, 0xFF, 0xC6)
inline constexpr COLORREF kListBackColor = 0x33361A;   // RGB(0x1A, 0x36, 0x33)
