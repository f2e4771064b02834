// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/hover_tracker.h"

#include <cstdint>
#include <cstdlib>

#include "platform/wnd/backend.h"
#include "platform/wnd/msg.h"

CHoverTracker& CHoverTracker::Instance()
{
    static CHoverTracker tracker;
    return tracker;
}

void CHoverTracker::PointerMoved(HWND window, CPoint client, DWORD now)
{
    if (window != m_pointerWindow) {
        LeaveWindow(m_pointerWindow);
        m_pointerWindow = window;
    }
    m_pointer = client;
    if (m_hoverWindow == window &&
        (std::abs(client.x - m_anchor.x) > kHoverSquareHalf || std::abs(client.y - m_anchor.y) > kHoverSquareHalf)) {
        Restart(now);
    }
}

void CHoverTracker::PointerLeft(HWND window)
{
    if (window == m_pointerWindow) {
        LeaveWindow(window);
        m_pointerWindow = nullptr;
    }
}

void CHoverTracker::TimePassed(DWORD now)
{
    if (m_hoverWindow == nullptr || static_cast<std::int32_t>(now - m_due) < 0) {
        return;
    }
    const HWND window = m_hoverWindow;
    m_hoverWindow = nullptr;
    PostMessageW(window, WM_MOUSEHOVER, 0, PointToLParam(m_pointer));
}

BOOL CHoverTracker::Track(const TRACKMOUSEEVENT& request, DWORD now)
{
    if (request.cbSize != sizeof(TRACKMOUSEEVENT) || !IsWindow(request.hwndTrack)) {
        return FALSE;
    }
    if ((request.dwFlags & TME_CANCEL) != 0) {
        if ((request.dwFlags & TME_HOVER) != 0 && m_hoverWindow == request.hwndTrack) {
            m_hoverWindow = nullptr;
        }
        if ((request.dwFlags & TME_LEAVE) != 0 && m_leaveWindow == request.hwndTrack) {
            m_leaveWindow = nullptr;
        }
        return TRUE;
    }
    const bool over = request.hwndTrack == m_pointerWindow;
    if ((request.dwFlags & TME_LEAVE) != 0) {
        if (over) {
            m_leaveWindow = request.hwndTrack;
        } else {
            // Asked while the pointer is already elsewhere: reported at once.
            PostMessageW(request.hwndTrack, WM_MOUSELEAVE, 0, 0);
        }
    }
    if ((request.dwFlags & TME_HOVER) != 0 && over) {
        m_hoverWindow = request.hwndTrack;
        m_hoverTime = request.dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTimeMs : request.dwHoverTime;
        m_anchor = m_pointer;
        m_due = now + m_hoverTime;
        wndbackend::ArmHoverTimer(m_due);
    }
    return TRUE;
}

void CHoverTracker::Forget(HWND window)
{
    if (m_pointerWindow == window) {
        m_pointerWindow = nullptr;
    }
    if (m_hoverWindow == window) {
        m_hoverWindow = nullptr;
    }
    if (m_leaveWindow == window) {
        m_leaveWindow = nullptr;
    }
}

void CHoverTracker::LeaveWindow(HWND window)
{
    if (window == nullptr) {
        return;
    }
    if (m_hoverWindow == window) {
        m_hoverWindow = nullptr;
    }
    if (m_leaveWindow == window) {
        m_leaveWindow = nullptr;
        PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    }
}

void CHoverTracker::Restart(DWORD now)
{
    m_anchor = m_pointer;
    m_due = now + m_hoverTime;
    wndbackend::ArmHoverTimer(m_due);
}

BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    return track != nullptr && CHoverTracker::Instance().Track(*track, wndbackend::HoverClock());
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    return _TrackMouseEvent(track);
}
