// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/native_window.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QVariant>

namespace {

constexpr const char* kWindowProperty = "kxWindow";

}  // namespace

CNativeWindow::~CNativeWindow()
{
    if (m_widget) {
        // A control leaves its window's children now, not once its widget is
        // deleted: a screen reader hears that it went.
        if (m_widget->parentWidget() != nullptr && QAccessible::isActive()) {
            QAccessibleEvent gone(m_widget.data(), QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&gone);
        }
        m_widget->hide();
        SetWindowOfWidget(m_widget, nullptr);
        m_widget->deleteLater();
    }
}

QWidget* CNativeWindow::InputWidget() const
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(m_widget.data())) {
        return area->viewport();
    }
    return m_widget.data();
}

HWND WindowOfWidget(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant value = w->property(kWindowProperty);
        if (value.isValid()) {
            return reinterpret_cast<HWND>(value.value<quintptr>());
        }
        if (w->isWindow()) {
            break;
        }
    }
    return nullptr;
}

void SetWindowOfWidget(QWidget* widget, HWND window)
{
    widget->setProperty(kWindowProperty, window != nullptr ? QVariant::fromValue(reinterpret_cast<quintptr>(window))
                                                           : QVariant());
}
