// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user's desktop offers a program that lives in the notification
// area: the kind of session, a tray to show an icon in, a service to show
// notifications. Asked once, for a diagnosis.

#include <string>

struct DesktopServices {
    std::string waylandDisplay;          // $WAYLAND_DISPLAY, empty when none
    std::string x11Display;              // $DISPLAY, empty when none
    std::string sessionType;             // $XDG_SESSION_TYPE as it is
    bool sessionBus = false;             // the session bus answered
    bool statusNotifierWatcher = false;  // org.kde.StatusNotifierWatcher is there
    bool statusNotifierHost = false;     // and says a tray shows its icons
    bool x11Reachable = false;           // the X display took a connection
    bool xembedTray = false;             // an X11 tray owns the system-tray selection
    bool notifications = false;          // org.freedesktop.Notifications is there
};

DesktopServices ProbeDesktop();
