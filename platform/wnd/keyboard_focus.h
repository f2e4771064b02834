// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard's way through a window's elements (platform/wnd/accessible.h):
// Tab and Shift+Tab move a focus through them in their order, Space does what
// a click on the focused one does, and in an open list the arrows move the
// highlight and Space chooses. A real control in the list takes the real
// keyboard focus; a painted element gets a mark drawn around it, but only once
// the keyboard has been used in this run of the program, so that a window
// driven by the pointer alone looks as it always has.

#include <optional>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/accessible.h"
#include "platform/wnd/msg.h"

class CWnd;

class CKeyboardFocus {
public:
    // Back to where a window that opens starts (FocusedIndex).
    void Reset();
    // The navigation keys of window; true when the key was taken.
    bool PreTranslate(CWnd& window, const MSG& msg);
    // The focused element, if the window has any.
    std::optional<AccessibleElement> Focused(const CWnd& window) const;
    // The focused element's index in elements (the window's): the one with
    // the real focus, else the one remembered, else the page tab shown, else
    // the first.
    std::optional<std::size_t> FocusedIndex(const AccessibleElements& elements) const;
    // Around the focused painted element, once the keyboard has been used.
    std::optional<CRect> MarkRect(const CWnd& window) const;

    // What a click on the element does: a press and a release at its centre
    // for a painted one (the window's own click handling, hit tests and
    // all), the focus for a real control.
    static void Activate(CWnd& window, const AccessibleElement& element);
    // Whether a navigation key has been pressed in this run.
    static bool KeyboardUsed();
    // Forgets that, for tests that start afresh.
    static void ResetKeyboardUse();

private:
    void MoveBy(CWnd& window, int step);
    void FocusIndex(CWnd& window, const AccessibleElements& elements, std::size_t index);
    bool ListKey(CWnd& window, const MSG& msg);
    void AfterActivation(CWnd& window, const AccessibleElement& activated);

    CRect m_rect;             // the focused element, found again by its place
    HWND m_control = nullptr; // or by its control
    bool m_shiftHeld = false;
};
