// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/desktop_notification.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kStatusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// The id the service gave the last notice: the next one takes its place.
uint g_lastNoticeId = 0;

}  // namespace

namespace desktop {

void SendDesktopNotice(const DesktopNotice& notice)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QVariantMap hints;
    if (!notice.desktopEntry.isEmpty()) {
        hints.insert(QStringLiteral("desktop-entry"), notice.desktopEntry);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QGuiApplication::applicationDisplayName() << g_lastNoticeId << notice.appIcon << notice.title
         << notice.text << QStringList() << hints << notice.timeoutMs;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [](QDBusPendingCallWatcher* finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isValid()) {
            g_lastNoticeId = reply.value();
        }
        finished->deleteLater();
    });
}

bool IsStatusNotifierTray()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    return daemon != nullptr && daemon->isServiceRegistered(kStatusNotifierWatcher).value();
}

}  // namespace desktop
