// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Follows the pointer for _TrackMouseEvent: which window it is over, where it
// came to rest, and when a requested hover or leave report is due. The
// desktop feeds it pointer movement and the passing of time; the reports go
// out as posted messages.

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/mouse_track.h"

class CHoverTracker {
public:
    static CHoverTracker& Instance();

    // The pointer is over `window` at `client` (the window's client coordinates).
    void PointerMoved(HWND window, CPoint client, DWORD now);
    // The pointer has left `window` for no other window of the program.
    void PointerLeft(HWND window);
    // Delivers a hover report that has come due.
    void TimePassed(DWORD now);
    BOOL Track(const TRACKMOUSEEVENT& request, DWORD now);

    // Forgets everything (a destroyed window, a fresh test).
    void Forget(HWND window);

private:
    void LeaveWindow(HWND window);
    void Restart(DWORD now);

    HWND m_pointerWindow = nullptr;
    CPoint m_pointer;
    HWND m_hoverWindow = nullptr;
    DWORD m_hoverTime = 0;
    CPoint m_anchor;
    DWORD m_due = 0;
    HWND m_leaveWindow = nullptr;
};
