// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notification-area (tray) icon service. The record has the layout of the
// wide-character notify-icon record: the program fills it field by field and
// hands the same record to add, modify and delete. Mouse activity on the icon
// arrives as the record's callback message, posted to its window with the
// icon id in wParam and the mouse message (WM_LBUTTONUP, WM_LBUTTONDBLCLK,
// WM_RBUTTONDOWN, WM_RBUTTONUP) in lParam.

#include <chrono>
#include <cstddef>

#include "platform/windef.h"
#include "platform/wnd/icon.h"

inline constexpr DWORD NIM_ADD = 0x00000000;
inline constexpr DWORD NIM_MODIFY = 0x00000001;
inline constexpr DWORD NIM_DELETE = 0x00000002;

inline constexpr UINT NIF_MESSAGE = 0x00000001;
inline constexpr UINT NIF_ICON = 0x00000002;
inline constexpr UINT NIF_TIP = 0x00000004;
inline constexpr UINT NIF_INFO = 0x00000010;

inline constexpr DWORD NIIF_NONE = 0x00000000;
inline constexpr DWORD NIIF_INFO = 0x00000001;
inline constexpr DWORD NIIF_WARNING = 0x00000002;
inline constexpr DWORD NIIF_ERROR = 0x00000003;

struct NOTIFYICONDATAW {
    DWORD cbSize = 0;
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    char16_t szTip[128] = {};
    DWORD dwState = 0;
    DWORD dwStateMask = 0;
    char16_t szInfo[256] = {};
    UINT uTimeout = 0;  // the balloon's time-out in milliseconds
    char16_t szInfoTitle[64] = {};
    DWORD dwInfoFlags = 0;
    GUID guidItem{};
    HICON hBalloonIcon = nullptr;
};

// The record's size up to and including the item GUID, as the program sets cbSize.
inline constexpr DWORD kNotifyIconDataSizeWithoutBalloonIcon = 968;
static_assert(offsetof(NOTIFYICONDATAW, hBalloonIcon) == kNotifyIconDataSizeWithoutBalloonIcon);

// FALSE for an unknown operation, a null record, a missing window, adding an
// icon that exists or modifying/deleting one that does not.
//
// Today's desktops may have no notification area at all. An icon with a
// callback message that no notification area has taken once the grace period
// after its NIM_ADD is over gets one WM_LBUTTONUP, as a click on it would
// give, so that a program living in the tray is not out of reach; an area
// that comes later shows the icon as usual. A balloon that no notification
// area can show, or that a StatusNotifier tray would hand on with a stock
// icon, goes to the desktop's notification service instead, with the
// program's icon and desktop entry (see AfxSetDesktopEntryName).
BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data);

// At login the session starts the panel and the autostart programs side by
// side, and a panel starting cold takes a few seconds to claim the tray (and
// a StatusNotifier host to register). Five seconds covers that, and is short
// enough that a start from the menu of a desktop without a tray still answers
// before the user gives up on it.
inline constexpr std::chrono::milliseconds kNotificationAreaGracePeriod{5000};

// Whether the desktop has a notification area to show the icon in. Headless
// runs report what wndtest::SetNotificationAreaAvailable chose (yes by default).
BOOL IsNotificationAreaAvailable();

// How long the notification area keeps a balloon up for a requested
// time-out: between 10 and 30 seconds whatever it is handed, as the Windows
// shell does, so that a 100 ms balloon can still be read.
UINT BalloonShowTime(UINT requestedMs);
