// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/host_widget.h"

#include <QCloseEvent>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/wnd/density.h"
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

bool CHostWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal) {
        FollowScreenDensity();
    }
    // Tab is the window's own key, not Qt's way between widgets.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            desktop::PostKeyInput(m_window, *key, {});
            return true;
        }
    }
    return QWidget::event(event);
}

void CHostWidget::FollowScreenDensity()
{
    const CWnd* window = CWnd::FromHandle(m_window);
    const UINT dpi = desktop::DpiOfWidget(*this);
    if (window == nullptr || window->Surface() == nullptr || dpi == window->Surface()->Dpi() || dpi == m_announcedDpi) {
        return;
    }
    m_announcedDpi = dpi;
    PostMessageW(m_window, WM_DPICHANGED, static_cast<WPARAM>(dpi) | (static_cast<WPARAM>(dpi) << 16), 0);
}

void CHostWidget::paintEvent(QPaintEvent*)
{
    // A screen may also change its own scale while the window stays on it.
    FollowScreenDensity();
    const CWnd* window = CWnd::FromHandle(m_window);
    const CBitmap* surface = window != nullptr ? window->Surface() : nullptr;
    QPainter painter(this);
    if (surface == nullptr || surface->IsNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // The surface holds device pixels: drawn at its density it fills the
    // client area one for one on a screen of that density.
    QImage image(surface->Bits(), surface->Width(), surface->Height(), surface->Pitch(), QImage::Format_RGB32);
    image.setDevicePixelRatio(static_cast<qreal>(surface->Dpi()) / USER_DEFAULT_SCREEN_DPI);
    painter.drawImage(0, 0, image);
    if (const auto mark = window->FocusMarkRect()) {
        DrawFocusMark(painter, *mark);
    }
}

// A thin rounded line in the skin's accent colour, just outside the element,
// over the surface: the surface itself stays as the window drew it.
void CHostWidget::DrawFocusMark(QPainter& painter, const CRect& element)
{
    constexpr int kGap = 2;
    constexpr qreal kRadius = 3;
    // On pixel centres: the straight runs are whole pixels of the colour.
    const QRectF around(element.left - kGap + 0.5, element.top - kGap + 0.5, element.Width() + 2 * kGap - 1,
        element.Height() + 2 * kGap - 1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 255, 198), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(around, kRadius, kRadius);
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
