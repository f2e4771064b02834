#include "platform/qt/wnd/host_widget.h"

#include <QCloseEvent>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/wnd/desktop.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/hover_tracker.h"

CHostWidget::CHostWidget(HWND window, bool toolWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | (toolWindow ? Qt::Tool : Qt::Window)), m_window(window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Clicking the window's own surface leaves the keyboard focus where it is,
    // as clicking a dialog's background does.
    setFocusPolicy(Qt::NoFocus);
}

void CHostWidget::paintEvent(QPaintEvent*)
{
    const CWnd* window = CWnd::FromHandle(m_window);
    const CBitmap* surface = window != nullptr ? window->Surface() : nullptr;
    QPainter painter(this);
    if (surface == nullptr || surface->IsNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const QImage image(surface->Bits(), surface->Width(), surface->Height(), surface->Pitch(), QImage::Format_RGB32);
    painter.drawImage(0, 0, image);
}

void CHostWidget::mousePressEvent(QMouseEvent* event)
{
    desktop::PostMouseInput(m_window, *event, {});
}

void CHostWidget::mouseReleaseEvent(QMouseEvent* event)
{
    desktop::PostMouseInput(m_window, *event, {});
}

void CHostWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    desktop::PostMouseInput(m_window, *event, {});
}

void CHostWidget::mouseMoveEvent(QMouseEvent* event)
{
    desktop::PostMouseInput(m_window, *event, {});
}

void CHostWidget::leaveEvent(QEvent*)
{
    // Qt also reports leaving when the pointer moves onto a child control;
    // only leaving the window's area counts.
    if (!desktop::Headless() && !rect().contains(mapFromGlobal(QCursor::pos()))) {
        CHoverTracker::Instance().PointerLeft(m_window);
    }
}

void CHostWidget::keyPressEvent(QKeyEvent* event)
{
    desktop::PostKeyInput(m_window, *event, {});
}

void CHostWidget::keyReleaseEvent(QKeyEvent* event)
{
    desktop::PostKeyInput(m_window, *event, {});
}

void CHostWidget::closeEvent(QCloseEvent* event)
{
    // The window decides: WM_CLOSE may only hide it.
    event->ignore();
    PostMessageW(m_window, WM_CLOSE, 0, 0);
}
