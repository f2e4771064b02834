// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's half of a framework window: the Qt widget that stands for it.
// The widget's lifetime is Qt's (children belong to their parent widget);
// this object only hides it and lets it go when the framework destroys the
// window, even from inside one of the widget's own event handlers.

#include <QPointer>
#include <QWidget>

#include "platform/windef.h"

class CNativeWindow {
public:
    explicit CNativeWindow(QWidget* widget) : m_widget(widget) {}
    CNativeWindow(const CNativeWindow&) = delete;
    CNativeWindow& operator=(const CNativeWindow&) = delete;
    ~CNativeWindow();

    QWidget* Widget() const { return m_widget.data(); }
    // The widget that receives the pointer (a list's viewport, else the widget).
    QWidget* InputWidget() const;

private:
    QPointer<QWidget> m_widget;
};

// The framework window a widget (or one of its inner widgets) stands for.
HWND WindowOfWidget(const QWidget* widget);
void SetWindowOfWidget(QWidget* widget, HWND window);
