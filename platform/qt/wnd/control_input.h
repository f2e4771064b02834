// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Input to a child control goes through the message queue like all input:
// this filter holds the Qt event back, queues the window message, and lets
// the control act on the event only when the message reaches the control's
// default handling (so pre-translation and hooks see it first, and may
// swallow it).

#include <QObject>

#include <functional>

class QMouseEvent;
class QWidget;

class CControlInputFilter : public QObject {
public:
    // mouseAction: what the control does with a mouse event; nullptr hands
    // the event itself to the widget.
    using MouseAction = std::function<void(QWidget* widget, const QMouseEvent& event)>;

    CControlInputFilter(QWidget* control, MouseAction mouseAction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_control;
    MouseAction m_mouseAction;
};

// Sends event to widget past the filter.
void DeliverToControl(QWidget* widget, QEvent& event);
