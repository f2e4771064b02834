// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget of a top-level framework window: borderless, of the client
// size, showing the window's surface and turning pointer and key input
// into queued window messages.

#include <QWidget>

#include "platform/geometry.h"
#include "platform/windef.h"

class QPainter;

class CHostWidget : public QWidget {
public:
    CHostWidget(HWND window, bool toolWindow);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Tells the window when its screen's density is no longer its surface's.
    void FollowScreenDensity();
    static void DrawFocusMark(QPainter& painter, const CRect& element);

    HWND m_window;
    UINT m_announcedDpi = 0;
};
