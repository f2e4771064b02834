// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's registration for changes of HID device interfaces: made
// once, undone when the object goes, so no change is delivered to a window
// that is ending.

#include "platform/dbt.h"

class CDeviceNotification {
public:
    CDeviceNotification();
    CDeviceNotification(const CDeviceNotification&) = delete;
    CDeviceNotification& operator=(const CDeviceNotification&) = delete;
    ~CDeviceNotification();

    // Whether the window now receives the changes.
    bool Register(HWND window);

private:
    DEV_BROADCAST_DEVICEINTERFACE_W m_filter{};
    HDEVNOTIFY m_handle = nullptr;
};
