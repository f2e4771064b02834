// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/x11_window_class.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>

#include <cstdint>

#include <xcb/xcb.h>

namespace {

void SetWindowClass(QWindow& window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const QByteArray name = QGuiApplication::desktopFileName().toLocal8Bit();
    if (x11 == nullptr || x11->connection() == nullptr || name.isEmpty()) {
        return;
    }
    // Instance and class, each ended by a zero byte.
    QByteArray value = name;
    value.append('\0').append(name).append('\0');
    xcb_connection_t* connection = x11->connection();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(value.size()), value.constData());
    xcb_flush(connection);
}

// Sees each native window made, before it is first shown.
class CWindowClassFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated) {
            auto* window = qobject_cast<QWindow*>(object);
            if (window != nullptr && window->isTopLevel()) {
                SetWindowClass(*window);
            }
        }
        return false;
    }
};

}  // namespace

namespace desktop {

void InstallX11WindowClass()
{
    static CWindowClassFilter* filter = nullptr;
    if (filter == nullptr && qGuiApp != nullptr && QGuiApplication::platformName() == QLatin1String("xcb")) {
        filter = new CWindowClassFilter(qGuiApp);
        qGuiApp->installEventFilter(filter);
    }
}

}  // namespace desktop
