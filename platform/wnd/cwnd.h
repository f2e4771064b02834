// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window of the framework. A top-level window keeps its client area in a
// 32-bit surface bitmap: GetDC hands out a device context over it, and the
// desktop shows it on screen. Messages reach the window through its class's
// message table (GetMessageMap), then its default handling (DefWindowProc).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/geometry.h"
#include "platform/wnd/accessible.h"
#include "platform/windef.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/message_map.h"
#include "platform/wnd/msg.h"

class CDC;
class CNativeWindow;  // the desktop's half of a window, owned by the backend's code

class CWnd {
public:
    CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys the window if it still exists.
    virtual ~CWnd();

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The live window behind a handle; nullptr for a destroyed or unknown handle.
    static CWnd* FromHandle(HWND window);
    // Every live window, in the order they were made.
    static std::vector<HWND> AllWindows();

    virtual BOOL DestroyWindow();

    // Synchronous: the handler has run when this returns.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued: handled by the message loop after what is already queued.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Showing a hidden top-level window delivers WM_NCPAINT twice, as Windows
    // paints the frame when the window appears and again when it becomes
    // active, then WM_ERASEBKGND and WM_PAINT from the message loop. Returns
    // whether the window was visible before.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL SetForegroundWindow();
    BOOL IsIconic() const { return FALSE; }  // windows here are never minimised
    BOOL EnableWindow(BOOL enable);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();

    void GetClientRect(CRect* rect) const;
    // Screen coordinates.
    void GetWindowRect(CRect* rect) const;
    void ClientToScreen(CPoint* point) const;
    void ScreenToClient(CPoint* point) const;
    // Screen coordinates for a top-level window, parent client coordinates for a control.
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    // Over the owner (or alternateOwner) when it is visible, else over the screen.
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // A device context drawing straight into the window's surface; give it
    // back with ReleaseDC, which puts what was drawn on screen. nullptr for
    // windows without a surface (controls).
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    // Marks the client area for WM_ERASEBKGND and WM_PAINT from the loop.
    void Invalidate(BOOL erase = TRUE);
    // Paints now when the window is marked for painting.
    void UpdateWindow();
    // The surface as it is now; null for controls.
    const CBitmap* Surface() const { return m_surface.get(); }

    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const { return bigIcon ? m_bigIcon : m_smallIcon; }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    // WS_EX_TOOLWINDOW keeps the window off the task bar.
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    CWnd* GetParent() const { return m_parent; }
    CWnd* GetOwner() const { return m_owner; }
    int GetDlgCtrlID() const { return m_controlId; }
    CWnd* GetDlgItem(int id) const;

    void SetWindowText(std::u16string_view text);
    void GetWindowText(std::u16string& text) const;
    int GetWindowTextLength() const;

    // Runs before a message taken from the queue is dispatched, for the
    // message's window and then each of its parents. TRUE consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // What the window shows a screen reader and the keyboard, in reading
    // order; a window without painted elements has none.
    virtual AccessibleElements AccessibleChildren() const { return {}; }
    // Where the keyboard focus mark goes over the surface, if anywhere.
    virtual std::optional<CRect> FocusMarkRect() const { return std::nullopt; }
    // The index in AccessibleChildren of the element with the keyboard focus.
    virtual std::optional<std::size_t> FocusedChild() const { return std::nullopt; }

    // The backend's half; nullptr before creation and after destruction.
    CNativeWindow* Native() const { return m_native.get(); }

    // Delivers message to the window's table and default handling (used by
    // SendMessage and the message loop).
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_ERASEBKGND then WM_PAINT when the window is marked and visible.
    void PaintIfNeeded();

protected:
    virtual const CMessageMap* GetMessageMap() const { return nullptr; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();

    // Default handlers for handlers that end with the base class's handling.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnNcPaint();
    void OnPaint();
    void OnClose();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
    void OnKeyDown(UINT virtualKey, UINT repeatCount, UINT flags);

    // Makes the top-level window: borderless, client area `rect` on screen.
    BOOL CreateTopLevel(DWORD style, DWORD exStyle, const CRect& rect, CWnd* owner);
    // Makes a child control of `parent`; the backend's native half is given.
    BOOL AttachControl(std::unique_ptr<CNativeWindow> native, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    DWORD m_style = 0;
    DWORD m_exStyle = 0;

private:
    void Register();
    void Unregister();
    void ReleaseNative();
    void SetVisibleNow(bool visible);
    // A new surface of the client size at dpi, showing the old one's picture
    // until the repaint it asks for.
    void RemakeSurface(UINT dpi);
    CWnd& TopLevel();
    void ActivateNow();

    std::unique_ptr<CNativeWindow> m_native;
    std::unique_ptr<CBitmap> m_surface;
    std::vector<std::unique_ptr<CDC>> m_dcs;
    CWnd* m_parent = nullptr;
    CWnd* m_owner = nullptr;
    UINT m_controlId = 0;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::u16string m_text;
    bool m_needsPaint = false;
    const MSG* m_currentMsg = nullptr;
};
