// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of CWnd that touch the desktop: creation, visibility, geometry,
// focus, icons and styles of the window's widget.

#include <QLineEdit>
#include <QWindow>

#include "platform/gdi/dc.h"
#include "platform/qt/wnd/density.h"
#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/host_widget.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/cwnd.h"

namespace {

QWidget* WidgetOf(const CWnd& window)
{
    return window.Native() != nullptr ? window.Native()->Widget() : nullptr;
}

// The client area: a list box's is inside its border and scroll bar.
QWidget* ClientWidgetOf(const CWnd& window)
{
    return window.Native() != nullptr ? window.Native()->InputWidget() : nullptr;
}

bool WantsToolWindow(DWORD exStyle, const CWnd* owner)
{
    // Owned windows never get a task-bar entry either.
    return (exStyle & WS_EX_TOOLWINDOW) != 0 || owner != nullptr;
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CWnd::CreateTopLevel(DWORD style, DWORD exStyle, const CRect& rect, CWnd* owner)
{
    if (m_hWnd != nullptr || rect.IsRectEmpty()) {
        return FALSE;
    }
    Register();
    auto* host = new CHostWidget(m_hWnd, WantsToolWindow(exStyle, owner));
    // The surface holds the client area in the pixels of the screen.
    auto surface = std::make_unique<CBitmap>();
    if (!surface->CreateBitmapForDpi(rect.Width(), rect.Height(), desktop::DpiOfWidget(*host))) {
        delete host;
        Unregister();
        return FALSE;
    }
    m_style = style;
    m_exStyle = exStyle;
    m_owner = owner;
    m_surface = std::move(surface);
    host->setFixedSize(rect.Width(), rect.Height());
    host->move(rect.left, rect.top);
    SetWindowOfWidget(host, m_hWnd);
    if (QWidget* ownerWidget = owner != nullptr ? WidgetOf(*owner) : nullptr) {
        host->winId();
        ownerWidget->winId();
        host->windowHandle()->setTransientParent(ownerWidget->windowHandle());
    }
    m_native = std::make_unique<CNativeWindow>(host);
    return TRUE;
}

BOOL CWnd::AttachControl(std::unique_ptr<CNativeWindow> native, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (m_hWnd != nullptr || native == nullptr || parent == nullptr || WidgetOf(*parent) == nullptr) {
        return FALSE;
    }
    Register();
    m_style = style;
    m_parent = parent;
    m_controlId = id;
    m_native = std::move(native);
    QWidget* widget = m_native->Widget();
    SetWindowOfWidget(widget, m_hWnd);
    widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    widget->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

void CWnd::ReleaseNative()
{
    m_native.reset();
}

void CWnd::SetVisibleNow(bool visible)
{
    if (QWidget* widget = WidgetOf(*this)) {
        widget->setVisible(visible);
    }
}

void CWnd::ActivateNow()
{
    if (QWidget* widget = WidgetOf(*this)) {
        if (!desktop::Headless()) {
            widget->raise();  // the offscreen platform has no stacking
        }
        widget->activateWindow();
    }
}

BOOL CWnd::IsWindowVisible() const
{
    const QWidget* widget = WidgetOf(*this);
    return widget != nullptr && widget->isVisible() ? TRUE : FALSE;
}

BOOL CWnd::SetForegroundWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    if (IsWindowVisible()) {
        ActivateNow();
    }
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = widget->isEnabled() ? FALSE : TRUE;
    widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    const QWidget* widget = WidgetOf(*this);
    return widget != nullptr && widget->isEnabled() ? TRUE : FALSE;
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = FromHandle(GetFocus());
    if (QWidget* widget = WidgetOf(*this)) {
        widget->setFocus(Qt::OtherFocusReason);
        desktop::FocusMovedTo(m_parent != nullptr ? m_hWnd : nullptr);
    }
    return previous;
}

void CWnd::GetClientRect(CRect* rect) const
{
    const QWidget* widget = ClientWidgetOf(*this);
    *rect = widget != nullptr ? CRect(0, 0, widget->width(), widget->height()) : CRect();
}

void CWnd::GetWindowRect(CRect* rect) const
{
    const QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        *rect = CRect();
        return;
    }
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    *rect = CRect(origin.x(), origin.y(), origin.x() + widget->width(), origin.y() + widget->height());
}

void CWnd::ClientToScreen(CPoint* point) const
{
    if (const QWidget* widget = ClientWidgetOf(*this)) {
        const QPoint global = widget->mapToGlobal(QPoint(point->x, point->y));
        *point = CPoint(global.x(), global.y());
    }
}

void CWnd::ScreenToClient(CPoint* point) const
{
    if (const QWidget* widget = ClientWidgetOf(*this)) {
        const QPoint local = widget->mapFromGlobal(QPoint(point->x, point->y));
        *point = CPoint(local.x(), local.y());
    }
}

void CWnd::MoveWindow(const CRect& rect, BOOL)
{
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    if (m_parent != nullptr) {
        widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        return;
    }
    if (rect.Width() != widget->width() || rect.Height() != widget->height()) {
        auto surface = std::make_unique<CBitmap>();
        if (surface->CreateBitmapForDpi(rect.Width(), rect.Height(), GetDpiForWindow(m_hWnd))) {
            m_surface = std::move(surface);
            widget->setFixedSize(rect.Width(), rect.Height());
            Invalidate();
        }
    }
    widget->move(rect.left, rect.top);
}

void CWnd::RemakeSurface(UINT dpi)
{
    QWidget* widget = WidgetOf(*this);
    if (widget == nullptr || m_parent != nullptr || m_surface == nullptr || dpi == 0 || dpi == m_surface->Dpi()) {
        return;
    }
    auto surface = std::make_unique<CBitmap>();
    if (!surface->CreateBitmapForDpi(widget->width(), widget->height(), dpi)) {
        return;
    }
    const std::unique_ptr<CDC> from = CDC::ForSurface(*m_surface);
    const std::unique_ptr<CDC> to = CDC::ForSurface(*surface);
    to->BitBlt(0, 0, widget->width(), widget->height(), from.get(), 0, 0, SRCCOPY);
    m_surface = std::move(surface);
    Invalidate();
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    HICON& slot = bigIcon ? m_bigIcon : m_smallIcon;
    const HICON previous = slot;
    slot = icon;
    if (QWidget* widget = WidgetOf(*this)) {
        QIcon combined = desktop::IconOf(m_bigIcon != nullptr ? m_bigIcon : m_smallIcon);
        widget->setWindowIcon(combined);
    }
    return previous;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const bool wasTool = WantsToolWindow(m_exStyle, m_owner);
    m_exStyle = (m_exStyle & ~remove) | add;
    const bool tool = WantsToolWindow(m_exStyle, m_owner);
    QWidget* widget = WidgetOf(*this);
    if (widget != nullptr && m_parent == nullptr && tool != wasTool) {
        // Changing window flags hides a widget; keep what the program sees.
        const bool visible = widget->isVisible();
        widget->setWindowFlag(Qt::Tool, tool);
        widget->setVisible(visible);
    }
    return TRUE;
}

void CWnd::SetWindowText(std::u16string_view text)
{
    m_text.assign(text);
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this))) {
        edit->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    } else if (QWidget* widget = WidgetOf(*this); widget != nullptr && m_parent == nullptr) {
        widget->setWindowTitle(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void CWnd::GetWindowText(std::u16string& text) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this))) {
        text = edit->text().toStdU16String();
        return;
    }
    text = m_text;
}
