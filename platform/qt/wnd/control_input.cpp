// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/control_input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/native_window.h"

namespace {

bool g_delivering = false;

bool IsMouse(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

bool IsKey(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease;
}

}  // namespace

void DeliverToControl(QWidget* widget, QEvent& event)
{
    const bool outer = g_delivering;
    g_delivering = true;
    QCoreApplication::sendEvent(widget, &event);
    g_delivering = outer;
}

CControlInputFilter::CControlInputFilter(QWidget* control, MouseAction mouseAction)
    : QObject(control), m_control(control), m_mouseAction(std::move(mouseAction))
{
}

bool CControlInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (g_delivering || !(IsMouse(event->type()) || IsKey(event->type()))) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const HWND window = WindowOfWidget(m_control);
    if (widget == nullptr || window == nullptr) {
        return false;
    }
    QPointer<QWidget> target(widget);
    std::shared_ptr<QEvent> copy(event->clone());
    if (IsKey(event->type())) {
        desktop::PostKeyInput(window, static_cast<const QKeyEvent&>(*event), [target, copy] {
            if (target) {
                DeliverToControl(target, *copy);
            }
        });
        return true;
    }
    const HWND focusOnPress = event->type() == QEvent::MouseButtonPress ? window : nullptr;
    desktop::PostMouseInput(window, static_cast<const QMouseEvent&>(*event),
        [target, copy, action = m_mouseAction, focusOnPress] {
            if (!target) {
                return;
            }
            if (focusOnPress != nullptr) {
                target->setFocus(Qt::MouseFocusReason);
                desktop::FocusMovedTo(focusOnPress);
            }
            if (action) {
                action(target, static_cast<const QMouseEvent&>(*copy));
            } else {
                DeliverToControl(target, *copy);
            }
        });
    return true;
}
