// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's notification service (org.freedesktop.Notifications on the
// session bus): where balloons go when no notification area shows them.

#include <QString>

namespace desktop {

struct DesktopNotice {
    QString appIcon;  // a file URI or an icon theme name
    QString title;
    QString text;
    int timeoutMs = -1;
    QString desktopEntry;  // the desktop-entry hint; left out when empty
};

// Sends without waiting for the answer, so that a slow or missing service
// never holds the user-interface thread. Each notice replaces the one before
// it, as a balloon replaces the last one.
void SendDesktopNotice(const DesktopNotice& notice);

// Whether the notification area is a StatusNotifier host, which shows
// balloons through the notification service with a stock icon of its own.
bool IsStatusNotifierTray();

}  // namespace desktop
