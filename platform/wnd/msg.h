// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window messages as the queue carries them, and the message numbers, styles
// and notification codes of windows and child controls that the framework
// gives their Windows meaning.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/winuser.h"

using DWORD_PTR = std::uintptr_t;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    CPoint pt;  // cursor position in screen coordinates when the message was queued
};

inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_ICONERASEBKGND = 0x0027;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORDLG = 0x0136;
inline constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_DROPFILES = 0x0233;

// The kind of control a WM_CTLCOLOR handler is asked about.
inline constexpr UINT CTLCOLOR_MSGBOX = 0;
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_SCROLLBAR = 5;
inline constexpr UINT CTLCOLOR_STATIC = 6;

// Key state carried in wParam of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;

inline constexpr WPARAM ICON_SMALL = 0;
inline constexpr WPARAM ICON_BIG = 1;

inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;

inline constexpr DWORD DS_SETFONT = 0x0040;
inline constexpr DWORD DS_MODALFRAME = 0x0080;
inline constexpr DWORD DS_SETFOREGROUND = 0x0200;
inline constexpr DWORD DS_CONTROL = 0x0400;
inline constexpr DWORD DS_CENTER = 0x0800;

inline constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr int LB_ERR = -1;
inline constexpr WORD LBN_SELCHANGE = 1;
inline constexpr WORD LBN_DBLCLK = 2;

inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr WORD EN_CHANGE = 0x0300;

constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi)
{
    return static_cast<WPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
// The signed client coordinates packed into lParam of mouse messages.
constexpr int GET_X_LPARAM(LPARAM lParam) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))); }
constexpr int GET_Y_LPARAM(LPARAM lParam) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))); }
constexpr LPARAM PointToLParam(CPoint point)
{
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

// What WM_HELP carries. Nothing in the program reads it beyond its presence.
struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = 0;
    int iCtrlId = 0;
    HWND hItemHandle = nullptr;
    DWORD_PTR dwContextId = 0;
    CPoint MousePos;
};

// Windows-shaped calls on the desktop beside those of platform/winuser.h.
BOOL IsWindow(HWND window);
BOOL GetCursorPos(CPoint* point);
HWND WindowFromPoint(CPoint screenPoint);
HWND GetFocus();
HWND GetForegroundWindow();
DWORD GetCurrentThreadId();
