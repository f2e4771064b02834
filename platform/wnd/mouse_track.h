// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hover and leave reports: after _TrackMouseEvent with TME_HOVER the window
// gets one WM_MOUSEHOVER once the pointer has rested inside a small square
// for the hover time; with TME_LEAVE one WM_MOUSELEAVE when the pointer
// leaves its client area. Both are one-shot, as on Windows.

#include "platform/windef.h"

inline constexpr DWORD TME_HOVER = 0x00000001;
inline constexpr DWORD TME_LEAVE = 0x00000002;
inline constexpr DWORD TME_CANCEL = 0x80000000;
inline constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

// The pointer may wander this far from where it came to rest (a 4 x 4 square).
inline constexpr int kHoverSquareHalf = 2;
inline constexpr DWORD kDefaultHoverTimeMs = 400;

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};

BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
