// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's device-notification calls on the current backend. Apart
// from the other calls, so that only a program that registers a window links
// the notifier, and with it the window framework's message sending and fd
// watching.
#include "platform/dbt.h"
#include "platform/linux/linux_hid.h"

namespace {

CDeviceNotifier& Notifier()
{
    CLinuxHidBackend& backend = CurrentLinuxHidBackend();
    std::shared_ptr<CDeviceNotifier>& notifier = backend.NotifierSlot();
    if (!notifier) {
        notifier = std::make_shared<CDeviceNotifier>(backend.Tree(), backend.OpenEvents());
    }
    return *notifier;
}

}  // namespace

HDEVNOTIFY RegisterDeviceNotificationW(HWND recipient, const void* notificationFilter, DWORD flags)
{
    return Notifier().Register(recipient, notificationFilter, flags);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) { return Notifier().Unregister(handle); }
