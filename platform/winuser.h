// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window-system calls and message numbers with their Windows meaning. The
// window framework (platform/wnd and its Qt backend) implements the functions;
// this header is the contract that device and application code rely on.

#include "platform/windef.h"

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_CTLCOLOR = 0x0019;
inline constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
// The window's screen changed density: wParam's low word is the new dots per
// inch. The default handling remakes the window's surface at that density
// and repaints it.
inline constexpr UINT WM_DPICHANGED = 0x02E0;
inline constexpr UINT WM_USER = 0x0400;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

inline constexpr WPARAM HTCAPTION = 2;

inline constexpr UINT IDOK = 1;
inline constexpr UINT IDCANCEL = 2;

inline constexpr UINT MB_OK = 0x00000000;

// Synchronous delivery: the target's handler has run when this returns.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queued delivery through the message loop.
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
BOOL IsWindowVisible(HWND window);
// The density of the window's surface in dots per inch: 96 at 100 %, 144 at
// 150 %, 192 at 200 %. A control answers for its window.
UINT GetDpiForWindow(HWND window);
