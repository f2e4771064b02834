// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/test_notification_service.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kConnectionName = QStringLiteral("kx-test-notification-service");

class NotificationsObject : public QDBusVirtualObject {
public:
    explicit NotificationsObject(std::vector<wndtest::ReceivedNotification>& received) : m_received(received) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != kService) {
            return false;
        }
        if (message.member() == QLatin1String("GetCapabilities")) {
            connection.send(message.createReply(QStringList{QStringLiteral("body")}));
            return true;
        }
        const QList<QVariant> args = message.arguments();
        if (message.member() != QLatin1String("Notify") || args.size() != 8) {
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
            return true;
        }
        const QVariantMap hints = qdbus_cast<QVariantMap>(args[6]);
        m_received.push_back({args[0].toString().toStdU16String(), args[1].toUInt(),
            args[2].toString().toStdU16String(), args[3].toString().toStdU16String(),
            args[4].toString().toStdU16String(),
            hints.value(QStringLiteral("desktop-entry")).toString().toStdU16String(), args[7].toInt()});
        connection.send(message.createReply(QVariant::fromValue(static_cast<uint>(m_received.size()))));
        return true;
    }

private:
    std::vector<wndtest::ReceivedNotification>& m_received;
};

}  // namespace

namespace wndtest {

struct CTestNotificationService::Impl {
    std::vector<ReceivedNotification> received;
    NotificationsObject object{received};
    bool connected = false;
};

CTestNotificationService::CTestNotificationService() : m_impl(std::make_unique<Impl>()) {}

CTestNotificationService::~CTestNotificationService()
{
    if (m_impl->connected) {
        QDBusConnection bus(kConnectionName);
        bus.unregisterObject(kPath);
        bus.unregisterService(kService);
        bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
        QDBusConnection::disconnectFromBus(kConnectionName);
    }
}

bool CTestNotificationService::Start()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName);
    m_impl->connected = true;
    if (!bus.isConnected() || bus.interface()->isServiceRegistered(kService).value()) {
        return false;
    }
    return bus.registerVirtualObject(kPath, &m_impl->object) && bus.registerService(kService);
}

bool CTestNotificationService::StandInForStatusNotifierWatcher()
{
    QDBusConnection bus(kConnectionName);
    return bus.isConnected() && bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

const std::vector<ReceivedNotification>& CTestNotificationService::Received() const
{
    return m_impl->received;
}

}  // namespace wndtest
