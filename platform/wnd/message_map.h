// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One static table per window class maps messages, and control notifications
// by control id, to member handlers. Entries are made by makers named after
// the messages, as the Windows message tables name them; each maker takes
// only the handler signature that its message carries, so a handler can never
// silently receive the parameters of another message:
//
//   const CMessageMap CMyDlg::kMessageMap = {
//       ON_WM_LBUTTONDOWN(&CMyDlg::OnLButtonDown),              // void (UINT flags, CPoint point)
//       ON_MESSAGE(WM_USER + 2, &CMyDlg::OnNotification),       // LRESULT (WPARAM, LPARAM)
//       ON_LBN_SELCHANGE(31, &CMyDlg::OnSelectList),            // void ()
//       ON_LBN_SELCHANGE_RANGE(31, 46, &CMyDlg::OnListChoice),  // void (UINT id)
//   };
//
// A message without an entry gets the window's default handling.

#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/dbt.h"
#include "platform/gdi/brush.h"
#include "platform/geometry.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/msg.h"

class CDC;
class CWnd;

class CMessageEntry {
public:
    using Thunk = std::function<LRESULT(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam)>;

    // The building blocks of the makers below: a window message, or
    // WM_COMMAND notifications `code` from the controls firstId to lastId.
    static CMessageEntry ForMessage(UINT message, Thunk thunk) { return CMessageEntry(message, std::move(thunk)); }
    static CMessageEntry ForCommand(WORD code, WORD firstId, WORD lastId, Thunk thunk);

    bool Matches(UINT message, WPARAM wParam) const;
    LRESULT Call(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return m_thunk(window, message, wParam, lParam);
    }

    // For the makers: the control of a WM_CTLCOLOR message and its CTLCOLOR_ kind.
    static CWnd* ControlOf(LPARAM lParam);
    static UINT CtlColorKind(UINT message);

private:
    CMessageEntry(UINT message, Thunk thunk) : m_message(message), m_thunk(std::move(thunk)) {}

    UINT m_message = 0;
    bool m_isCommand = false;
    WORD m_code = 0;
    WORD m_firstId = 0;
    WORD m_lastId = 0;
    Thunk m_thunk;
};

namespace messagemap_detail {

template <class T>
T& Self(CWnd& window)
{
    return static_cast<T&>(window);
}

// Mouse messages: key-state flags and the client point.
template <class T>
CMessageEntry Mouse(UINT message, void (T::*handler)(UINT, CPoint))
{
    return CMessageEntry::ForMessage(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
        (Self<T>(w).*handler)(static_cast<UINT>(wp), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
        return LRESULT{0};
    });
}

// Messages without parameters.
template <class T>
CMessageEntry Plain(UINT message, void (T::*handler)())
{
    return CMessageEntry::ForMessage(message, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
        (Self<T>(w).*handler)();
        return LRESULT{0};
    });
}

template <class T>
CMessageEntry Command(WORD code, WORD id, void (T::*handler)())
{
    return CMessageEntry::ForCommand(code, id, id, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
        (Self<T>(w).*handler)();
        return LRESULT{0};
    });
}

// A range of controls: the handler learns which one notified.
template <class T>
CMessageEntry CommandRange(WORD code, WORD firstId, WORD lastId, void (T::*handler)(UINT))
{
    return CMessageEntry::ForCommand(code, firstId, lastId, [handler](CWnd& w, UINT, WPARAM wp, LPARAM) {
        (Self<T>(w).*handler)(LOWORD(static_cast<std::uintptr_t>(wp)));
        return LRESULT{0};
    });
}

}  // namespace messagemap_detail

// Mouse messages: void (UINT flags, CPoint point).
template <class T>
CMessageEntry ON_WM_LBUTTONDOWN(void (T::*handler)(UINT, CPoint))
{
    return messagemap_detail::Mouse(WM_LBUTTONDOWN, handler);
}
template <class T>
CMessageEntry ON_WM_LBUTTONUP(void (T::*handler)(UINT, CPoint))
{
    return messagemap_detail::Mouse(WM_LBUTTONUP, handler);
}
template <class T>
CMessageEntry ON_WM_MOUSEMOVE(void (T::*handler)(UINT, CPoint))
{
    return messagemap_detail::Mouse(WM_MOUSEMOVE, handler);
}
template <class T>
CMessageEntry ON_WM_MOUSEHOVER(void (T::*handler)(UINT, CPoint))
{
    return messagemap_detail::Mouse(WM_MOUSEHOVER, handler);
}

// Messages without parameters: void ().
template <class T>
CMessageEntry ON_WM_MOUSELEAVE(void (T::*handler)())
{
    return messagemap_detail::Plain(WM_MOUSELEAVE, handler);
}
template <class T>
CMessageEntry ON_WM_PAINT(void (T::*handler)())
{
    return messagemap_detail::Plain(WM_PAINT, handler);
}
template <class T>
CMessageEntry ON_WM_NCPAINT(void (T::*handler)())
{
    return messagemap_detail::Plain(WM_NCPAINT, handler);
}
template <class T>
CMessageEntry ON_WM_CLOSE(void (T::*handler)())
{
    return messagemap_detail::Plain(WM_CLOSE, handler);
}
template <class T>
CMessageEntry ON_WM_DESTROY(void (T::*handler)())
{
    return messagemap_detail::Plain(WM_DESTROY, handler);
}

// WM_ERASEBKGND: BOOL (CDC* dc), the device context of the window's surface.
template <class T>
CMessageEntry ON_WM_ERASEBKGND(BOOL (T::*handler)(CDC*))
{
    return CMessageEntry::ForMessage(WM_ERASEBKGND, [handler](CWnd& w, UINT, WPARAM wp, LPARAM) {
        return LRESULT{(messagemap_detail::Self<T>(w).*handler)(reinterpret_cast<CDC*>(wp))};
    });
}

// WM_CTLCOLOR: HBRUSH (CDC* dc, CWnd* control, UINT ctlColor). One entry
// answers for every kind of control, as the Windows tables have it.
template <class T>
CMessageEntry ON_WM_CTLCOLOR(HBRUSH (T::*handler)(CDC*, CWnd*, UINT))
{
    return CMessageEntry::ForMessage(WM_CTLCOLOR, [handler](CWnd& w, UINT msg, WPARAM wp, LPARAM lp) {
        return reinterpret_cast<LRESULT>((messagemap_detail::Self<T>(w).*handler)(
            reinterpret_cast<CDC*>(wp), CMessageEntry::ControlOf(lp), CMessageEntry::CtlColorKind(msg)));
    });
}

// WM_QUERYDRAGICON: HCURSOR ().
template <class T>
CMessageEntry ON_WM_QUERYDRAGICON(HCURSOR (T::*handler)())
{
    return CMessageEntry::ForMessage(WM_QUERYDRAGICON, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
        return reinterpret_cast<LRESULT>((messagemap_detail::Self<T>(w).*handler)());
    });
}

// WM_DEVICECHANGE: BOOL (UINT eventType, DWORD_PTR data).
template <class T>
CMessageEntry ON_WM_DEVICECHANGE(BOOL (T::*handler)(UINT, DWORD_PTR))
{
    return CMessageEntry::ForMessage(WM_DEVICECHANGE, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
        return LRESULT{(messagemap_detail::Self<T>(w).*handler)(static_cast<UINT>(wp), static_cast<DWORD_PTR>(lp))};
    });
}

// WM_HELP: BOOL (HELPINFO* info).
template <class T>
CMessageEntry ON_WM_HELPINFO(BOOL (T::*handler)(HELPINFO*))
{
    return CMessageEntry::ForMessage(WM_HELP, [handler](CWnd& w, UINT, WPARAM, LPARAM lp) {
        return LRESULT{(messagemap_detail::Self<T>(w).*handler)(reinterpret_cast<HELPINFO*>(lp))};
    });
}

// WM_KEYDOWN: void (UINT virtualKey, UINT repeatCount, UINT flags), flags
// being the high word of the keystroke flags.
template <class T>
CMessageEntry ON_WM_KEYDOWN(void (T::*handler)(UINT, UINT, UINT))
{
    return CMessageEntry::ForMessage(WM_KEYDOWN, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
        const auto flags = static_cast<std::uintptr_t>(lp);
        (messagemap_detail::Self<T>(w).*handler)(static_cast<UINT>(wp), LOWORD(flags), HIWORD(flags));
        return LRESULT{0};
    });
}

// A message of the program's own (WM_USER + n) with its raw parameters:
// LRESULT (WPARAM, LPARAM).
template <class T>
CMessageEntry ON_MESSAGE(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return CMessageEntry::ForMessage(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
        return (messagemap_detail::Self<T>(w).*handler)(wp, lp);
    });
}

// Commands and control notifications: void (), or void (UINT id) for a range.
template <class T>
CMessageEntry ON_COMMAND(WORD id, void (T::*handler)())
{
    return messagemap_detail::Command(0, id, handler);
}
template <class T>
CMessageEntry ON_LBN_SELCHANGE(WORD id, void (T::*handler)())
{
    return messagemap_detail::Command(LBN_SELCHANGE, id, handler);
}
template <class T>
CMessageEntry ON_LBN_DBLCLK(WORD id, void (T::*handler)())
{
    return messagemap_detail::Command(LBN_DBLCLK, id, handler);
}
template <class T>
CMessageEntry ON_EN_CHANGE(WORD id, void (T::*handler)())
{
    return messagemap_detail::Command(EN_CHANGE, id, handler);
}
template <class T>
CMessageEntry ON_EN_KILLFOCUS(WORD id, void (T::*handler)())
{
    return messagemap_detail::Command(EN_KILLFOCUS, id, handler);
}
template <class T>
CMessageEntry ON_LBN_SELCHANGE_RANGE(WORD firstId, WORD lastId, void (T::*handler)(UINT))
{
    return messagemap_detail::CommandRange(LBN_SELCHANGE, firstId, lastId, handler);
}
template <class T>
CMessageEntry ON_LBN_DBLCLK_RANGE(WORD firstId, WORD lastId, void (T::*handler)(UINT))
{
    return messagemap_detail::CommandRange(LBN_DBLCLK, firstId, lastId, handler);
}

class CMessageMap {
public:
    CMessageMap(std::initializer_list<CMessageEntry> entries) : m_entries(entries) {}
    // A derived class's table that falls back on its base class's table.
    CMessageMap(const CMessageMap* base, std::initializer_list<CMessageEntry> entries)
        : m_base(base), m_entries(entries)
    {
    }

    // The first matching entry of this table, else of the base tables.
    const CMessageEntry* Find(UINT message, WPARAM wParam) const;

private:
    const CMessageMap* m_base = nullptr;
    std::vector<CMessageEntry> m_entries;
};
