// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's device-notification calls, answered by the current
// simulated machine. Apart from the other calls, so that only a program that
// registers a window links the window framework's SendMessageW.
#include "platform/dbt.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"

HDEVNOTIFY RegisterDeviceNotificationW(HWND recipient, const void* notificationFilter, DWORD flags)
{
    return SimHid::Current().Register(recipient, notificationFilter, flags, &SendMessageW);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) { return SimHid::Current().Unregister(handle); }
