// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_probe.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QVariant>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

void ProbeSessionBus(DesktopServices& desktop)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon) {
        return;
    }
    desktop.sessionBus = true;
    desktop.statusNotifierWatcher = daemon->isServiceRegistered(kWatcher).value();
    desktop.notifications = daemon->isServiceRegistered(kNotifications).value();
    if (desktop.statusNotifierWatcher) {
        QDBusInterface watcher(kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher, bus);
        desktop.statusNotifierHost = watcher.property("IsStatusNotifierHostRegistered").toBool();
    }
}

// An XEmbed tray owns the selection _NET_SYSTEM_TRAY_S<screen>.
void ProbeX11Tray(DesktopServices& desktop)
{
    if (desktop.x11Display.empty()) {
        return;
    }
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(desktop.x11Display.c_str(), &screen);
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> owned(connection, xcb_disconnect);
    if (!connection || xcb_connection_has_error(connection)) {
        return;
    }
    desktop.x11Reachable = true;
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()),
                                                          name.c_str()), nullptr),
        std::free);
    if (!atom) {
        return;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        std::free);
    desktop.xembedTray = owner && owner->owner != XCB_NONE;
}

}  // namespace

DesktopServices ProbeDesktop()
{
    // Qt's bus connection wants an application object; a command has none.
    std::unique_ptr<QCoreApplication> application;
    static int argc = 1;
    static char name[] = "kx-507-ctl";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    DesktopServices desktop;
    desktop.waylandDisplay = Environment("WAYLAND_DISPLAY");
    desktop.x11Display = Environment("DISPLAY");
    desktop.sessionType = Environment("XDG_SESSION_TYPE");
    ProbeSessionBus(desktop);
    ProbeX11Tray(desktop);
    return desktop;
}
