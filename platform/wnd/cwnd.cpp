// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/cwnd.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/gdi/dc.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/hover_tracker.h"
#include "platform/wnd/msg_queue.h"
#include "platform/wnd/vkeys.h"

namespace {

// Handles are numbers handed out once, never addresses, so a handle kept
// after its window is gone finds nothing instead of freed memory.
std::map<HWND, CWnd*>& Windows()
{
    static std::map<HWND, CWnd*> windows;
    return windows;
}

std::uintptr_t g_nextHandle = 0x10;

// The stock brushes of the default control colours.
CBrush& StockBrush(COLORREF color)
{
    static std::map<COLORREF, CBrush> brushes;
    CBrush& brush = brushes[color];
    if (brush.IsNull()) {
        brush.CreateSolidBrush(color);
    }
    return brush;
}

constexpr COLORREF kWindowColor = RGB(255, 255, 255);
constexpr COLORREF kDialogFaceColor = RGB(240, 240, 240);
constexpr COLORREF kWindowTextColor = RGB(0, 0, 0);

}  // namespace

CWnd* CWnd::FromHandle(HWND window)
{
    const auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : it->second;
}

std::vector<HWND> CWnd::AllWindows()
{
    std::vector<HWND> handles;
    handles.reserve(Windows().size());
    for (const auto& [handle, window] : Windows()) {
        handles.push_back(handle);
    }
    return handles;
}

void CWnd::Register()
{
    m_hWnd = reinterpret_cast<HWND>(g_nextHandle);
    g_nextHandle += 4;
    Windows()[m_hWnd] = this;
}

void CWnd::Unregister()
{
    if (m_hWnd != nullptr) {
        CHoverTracker::Instance().Forget(m_hWnd);
        Windows().erase(m_hWnd);
        m_hWnd = nullptr;
    }
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const HWND handle = m_hWnd;
    SendMessage(WM_DESTROY);
    // Children get WM_DESTROY after their parent, as on Windows.
    for (HWND child : AllWindows()) {
        CWnd* window = FromHandle(child);
        if (window != nullptr && window->m_parent == this) {
            window->DestroyWindow();
        }
    }
    if (FromHandle(handle) != this) {
        return TRUE;  // destroyed again from inside WM_DESTROY
    }
    m_dcs.clear();
    Unregister();
    ReleaseNative();
    m_surface.reset();
    m_parent = nullptr;
    m_owner = nullptr;
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd == nullptr ? 0 : Dispatch(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG current{m_hWnd, message, wParam, lParam, 0, {}};
    const MSG* const outer = m_currentMsg;
    m_currentMsg = &current;
    const LRESULT result = WindowProc(message, wParam, lParam);
    // The window may have been destroyed by its handler; this object lives on.
    m_currentMsg = outer;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const CMessageMap* map = GetMessageMap()) {
        if (const CMessageEntry* entry = map->Find(message, wParam)) {
            return entry->Call(*this, message, wParam, lParam);
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED) {
        RemakeSurface(LOWORD(wParam));
        return 0;
    }
    // F1 asks for help and Alt+F4 closes, wherever the focus is.
    if (message == WM_KEYDOWN && wParam == VK_F1) {
        HELPINFO info;
        info.iCtrlId = static_cast<int>(m_controlId);
        info.hItemHandle = m_hWnd;
        info.MousePos = wndbackend::CursorPos();
        return SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
        return TopLevel().SendMessage(WM_CLOSE);
    }
    if (RunNativeDefault(m_hWnd, message)) {
        return 0;
    }
    switch (message) {
    case WM_HELP:
        // Unanswered help requests go up to the parent.
        return m_parent != nullptr ? m_parent->SendMessage(WM_HELP, wParam, lParam) : 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_ERASEBKGND:
        if (auto* dc = reinterpret_cast<CDC*>(wParam)) {
            CRect client;
            GetClientRect(&client);
            dc->FillSolidRect(client, kDialogFaceColor);
        }
        return 1;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION) {
            wndbackend::StartSystemMove(*this);
        }
        return 0;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
        if (auto* dc = reinterpret_cast<CDC*>(wParam)) {
            dc->SetTextColor(kWindowTextColor);
            dc->SetBkColor(kWindowColor);
        }
        return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(StockBrush(kWindowColor)));
    case WM_CTLCOLOR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(StockBrush(kDialogFaceColor)));
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_bigIcon);
    default:
        return 0;
    }
}

CWnd& CWnd::TopLevel()
{
    CWnd* window = this;
    while (window->m_parent != nullptr) {
        window = window->m_parent;
    }
    return *window;
}

LRESULT CWnd::Default()
{
    if (m_currentMsg == nullptr) {
        return 0;
    }
    const MSG msg = *m_currentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnDestroy() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::ShowWindow(int command)
{
    const BOOL wasVisible = IsWindowVisible();
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    if (command == SW_HIDE) {
        if (wasVisible) {
            SetVisibleNow(false);
        }
        return wasVisible;
    }
    if (wasVisible) {
        return TRUE;
    }
    SetVisibleNow(true);
    if (m_parent == nullptr) {
        // Showing a top-level window paints its frame as it appears and again
        // as it becomes the active window; a handler may hide it in between
        // (the main window starts hidden that way).
        const HWND handle = m_hWnd;
        SendMessage(WM_NCPAINT, 1, 0);
        if (FromHandle(handle) == this) {
            SendMessage(WM_NCPAINT, 1, 0);
        }
        if (FromHandle(handle) == this && IsWindowVisible()) {
            ActivateNow();
        }
        Invalidate();
    }
    return FALSE;
}

CDC* CWnd::GetDC()
{
    if (m_surface == nullptr) {
        return nullptr;
    }
    m_dcs.push_back(CDC::ForSurface(*m_surface));
    return m_dcs.back().get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    const auto it = std::find_if(m_dcs.begin(), m_dcs.end(), [dc](const auto& owned) { return owned.get() == dc; });
    if (it == m_dcs.end()) {
        return 0;
    }
    m_dcs.erase(it);
    wndbackend::PresentSurface(*this);
    return 1;
}

void CWnd::Invalidate(BOOL)
{
    if (m_surface != nullptr) {
        m_needsPaint = true;
        wndbackend::RequestDrain();
    }
}

void CWnd::UpdateWindow()
{
    PaintIfNeeded();
}

void CWnd::PaintIfNeeded()
{
    if (!m_needsPaint || m_surface == nullptr || !IsWindowVisible()) {
        return;
    }
    m_needsPaint = false;
    const HWND handle = m_hWnd;
    std::unique_ptr<CDC> dc = CDC::ForSurface(*m_surface);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    if (FromHandle(handle) == this) {
        SendMessage(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    }
    if (FromHandle(handle) == this) {
        wndbackend::PresentSurface(*this);
    }
}

CWnd* CWnd::GetDlgItem(int id) const
{
    for (HWND handle : AllWindows()) {
        CWnd* window = FromHandle(handle);
        if (window->m_parent == this && static_cast<int>(window->m_controlId) == id) {
            return window;
        }
    }
    return nullptr;
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    CWnd* over = alternateOwner != nullptr ? alternateOwner : m_owner;
    CRect area = wndbackend::WorkArea();
    if (over != nullptr && over->IsWindowVisible()) {
        over->GetWindowRect(&area);
    }
    CRect rect;
    GetWindowRect(&rect);
    const int left = area.left + (area.Width() - rect.Width()) / 2;
    const int top = area.top + (area.Height() - rect.Height()) / 2;
    MoveWindow(CRect(left, top, left + rect.Width(), top + rect.Height()));
}

int CWnd::GetWindowTextLength() const
{
    std::u16string text;
    GetWindowText(text);
    return static_cast<int>(text.size());
}

BOOL IsWindow(HWND window)
{
    return CWnd::FromHandle(window) != nullptr;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* target = CWnd::FromHandle(window);
    return target == nullptr ? 0 : target->SendMessage(message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandle(window) == nullptr) {
        return FALSE;
    }
    MSG msg{window, message, wParam, lParam, wndbackend::HoverClock(), wndbackend::CursorPos()};
    PostQueuedMessage(QueuedMessage{msg, {}});
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    CWnd* target = CWnd::FromHandle(window);
    return target == nullptr ? FALSE : target->ShowWindow(command);
}

BOOL SetForegroundWindow(HWND window)
{
    CWnd* target = CWnd::FromHandle(window);
    return target == nullptr ? FALSE : target->SetForegroundWindow();
}

UINT GetDpiForWindow(HWND window)
{
    for (const CWnd* target = CWnd::FromHandle(window); target != nullptr; target = target->GetParent()) {
        if (target->Surface() != nullptr) {
            return target->Surface()->Dpi();
        }
    }
    return USER_DEFAULT_SCREEN_DPI;
}

BOOL IsWindowVisible(HWND window)
{
    CWnd* target = CWnd::FromHandle(window);
    return target == nullptr ? FALSE : target->IsWindowVisible();
}
