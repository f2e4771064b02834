#pragma once
// One static table per window class maps messages, and control notifications
// by control id, to member handlers. Each entry unpacks wParam and lParam the
// way the handler's signature asks for, so a handler reads like its Windows
// counterpart:
//
//   const CMessageMap CMyDlg::kMessageMap = {
//       {WM_LBUTTONDOWN, &CMyDlg::OnLButtonDown},      // void (UINT flags, CPoint point)
//       {WM_USER + 2, &CMyDlg::OnNotification},        // LRESULT (WPARAM, LPARAM)
//       ON_LBN_SELCHANGE(31, &CMyDlg::OnSelectList),   // void ()
//   };
//
// A message without an entry gets the window's default handling.

#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/gdi/brush.h"
#include "platform/geometry.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/msg.h"

class CDC;
class CWnd;

class CMessageEntry {
public:
    using Thunk = std::function<LRESULT(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam)>;

    // Mouse messages: key-state flags and the client point.
    template <class T>
    CMessageEntry(UINT message, void (T::*handler)(UINT, CPoint))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
              (Self<T>(w).*handler)(static_cast<UINT>(wp), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
              return LRESULT{0};
          })
    {
    }
    // Messages without parameters: WM_CLOSE, WM_DESTROY, WM_PAINT, WM_NCPAINT, WM_MOUSELEAVE.
    template <class T>
    CMessageEntry(UINT message, void (T::*handler)())
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
              (Self<T>(w).*handler)();
              return LRESULT{0};
          })
    {
    }
    // WM_ERASEBKGND: the device context of the window's surface.
    template <class T>
    CMessageEntry(UINT message, BOOL (T::*handler)(CDC*))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM) {
              return LRESULT{(Self<T>(w).*handler)(reinterpret_cast<CDC*>(wp))};
          })
    {
    }
    // WM_CTLCOLOR: the control's colour state, the control, its CTLCOLOR_ kind.
    template <class T>
    CMessageEntry(UINT message, HBRUSH (T::*handler)(CDC*, CWnd*, UINT))
        : CMessageEntry(message, [handler](CWnd& w, UINT msg, WPARAM wp, LPARAM lp) {
              return reinterpret_cast<LRESULT>(
                  (Self<T>(w).*handler)(reinterpret_cast<CDC*>(wp), ControlOf(lp), CtlColorKind(msg)));
          })
    {
    }
    // WM_QUERYDRAGICON.
    template <class T>
    CMessageEntry(UINT message, HCURSOR (T::*handler)())
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
              return reinterpret_cast<LRESULT>((Self<T>(w).*handler)());
          })
    {
    }
    // WM_DEVICECHANGE: event type and the event's data.
    template <class T>
    CMessageEntry(UINT message, BOOL (T::*handler)(UINT, DWORD_PTR))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
              return LRESULT{(Self<T>(w).*handler)(static_cast<UINT>(wp), static_cast<DWORD_PTR>(lp))};
          })
    {
    }
    // WM_HELP.
    template <class T>
    CMessageEntry(UINT message, BOOL (T::*handler)(HELPINFO*))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM, LPARAM lp) {
              return LRESULT{(Self<T>(w).*handler)(reinterpret_cast<HELPINFO*>(lp))};
          })
    {
    }
    // Key messages: virtual key, repeat count, the high word of the keystroke flags.
    template <class T>
    CMessageEntry(UINT message, void (T::*handler)(UINT, UINT, UINT))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
              const auto flags = static_cast<std::uintptr_t>(lp);
              (Self<T>(w).*handler)(static_cast<UINT>(wp), LOWORD(flags), HIWORD(flags));
              return LRESULT{0};
          })
    {
    }
    // Any message with its raw parameters (WM_USER + n and the like).
    template <class T>
    CMessageEntry(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
        : CMessageEntry(message, [handler](CWnd& w, UINT, WPARAM wp, LPARAM lp) {
              return (Self<T>(w).*handler)(wp, lp);
          })
    {
    }

    // WM_COMMAND from control `id` with notification `code` (0 for a plain command).
    template <class T>
    static CMessageEntry Command(WORD code, WORD id, void (T::*handler)())
    {
        CMessageEntry entry(WM_COMMAND, [handler](CWnd& w, UINT, WPARAM, LPARAM) {
            (Self<T>(w).*handler)();
            return LRESULT{0};
        });
        entry.m_isCommand = true;
        entry.m_code = code;
        entry.m_id = id;
        return entry;
    }

    bool Matches(UINT message, WPARAM wParam) const;
    LRESULT Call(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return m_thunk(window, message, wParam, lParam);
    }

private:
    CMessageEntry(UINT message, Thunk thunk) : m_message(message), m_thunk(std::move(thunk)) {}

    template <class T>
    static T& Self(CWnd& window)
    {
        return static_cast<T&>(window);
    }
    static CWnd* ControlOf(LPARAM lParam);
    static UINT CtlColorKind(UINT message);

    UINT m_message = 0;
    bool m_isCommand = false;
    WORD m_code = 0;
    WORD m_id = 0;
    Thunk m_thunk;
};

// Control notifications, named as the Windows message tables name them.
template <class T>
CMessageEntry ON_COMMAND(WORD id, void (T::*handler)())
{
    return CMessageEntry::Command(0, id, handler);
}
template <class T>
CMessageEntry ON_LBN_SELCHANGE(WORD id, void (T::*handler)())
{
    return CMessageEntry::Command(LBN_SELCHANGE, id, handler);
}
template <class T>
CMessageEntry ON_LBN_DBLCLK(WORD id, void (T::*handler)())
{
    return CMessageEntry::Command(LBN_DBLCLK, id, handler);
}
template <class T>
CMessageEntry ON_EN_CHANGE(WORD id, void (T::*handler)())
{
    return CMessageEntry::Command(EN_CHANGE, id, handler);
}
template <class T>
CMessageEntry ON_EN_KILLFOCUS(WORD id, void (T::*handler)())
{
    return CMessageEntry::Command(EN_KILLFOCUS, id, handler);
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
