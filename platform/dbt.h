// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-interface arrival and removal notifications, as WM_DEVICECHANGE carries them.

#include "platform/windef.h"

inline constexpr UINT WM_DEVICECHANGE = 0x0219;

inline constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
inline constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;

inline constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;
inline constexpr DWORD DEVICE_NOTIFY_WINDOW_HANDLE = 0;

struct DEV_BROADCAST_HDR {
    DWORD dbch_size;
    DWORD dbch_devicetype;
    DWORD dbch_reserved;
};

// The interface name is held in a fixed, always NUL-terminated array: a handler
// can read it as a string without trusting a length from the sender.
inline constexpr std::size_t kDeviceInterfaceNameChars = 260;

struct DEV_BROADCAST_DEVICEINTERFACE_W {
    DWORD dbcc_size;
    DWORD dbcc_devicetype;
    DWORD dbcc_reserved;
    GUID dbcc_classguid;
    char16_t dbcc_name[kDeviceInterfaceNameChars];
};

using HDEVNOTIFY = void*;

// Implemented by the HID backend: after registration the backend sends the
// window WM_DEVICECHANGE with wParam DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE
// and lParam pointing at a DEV_BROADCAST_DEVICEINTERFACE_W, once per HID
// top-level collection that comes or goes. Returns nullptr on failure.
HDEVNOTIFY RegisterDeviceNotificationW(HWND recipient, const void* notificationFilter, DWORD flags);
BOOL UnregisterDeviceNotification(HDEVNOTIFY handle);
