// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/device/window_double.h"

namespace {

RecordingWindows* g_windows = nullptr;

}  // namespace

RecordingWindows::RecordingWindows() : m_previous(g_windows) { g_windows = this; }

RecordingWindows::~RecordingWindows() { g_windows = m_previous; }

RecordingWindows* RecordingWindows::Current() { return g_windows; }

bool RecordingWindows::Visible(HWND window) const
{
    const auto it = m_visible.find(window);
    return it == m_visible.end() ? true : it->second;
}

LRESULT RecordingWindows::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_calls.push_back({"SendMessageW", window, message, wParam, lParam});
    const auto it = m_handlers.find(window);
    return it == m_handlers.end() ? 0 : it->second(message, wParam, lParam);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordingWindows* windows = RecordingWindows::Current();
    return windows ? windows->Send(window, message, wParam, lParam) : 0;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RecordingWindows* windows = RecordingWindows::Current()) {
        windows->Record({"PostMessageW", window, message, wParam, lParam});
    }
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    if (RecordingWindows* windows = RecordingWindows::Current()) {
        windows->Record({"ShowWindow", window, 0, static_cast<WPARAM>(command), 0});
        windows->SetVisible(window, command != SW_HIDE);
    }
    return TRUE;
}

BOOL SetForegroundWindow(HWND window)
{
    if (RecordingWindows* windows = RecordingWindows::Current()) {
        windows->Record({"SetForegroundWindow", window, 0, 0, 0});
    }
    return TRUE;
}

BOOL IsWindowVisible(HWND window)
{
    RecordingWindows* windows = RecordingWindows::Current();
    return windows && windows->Visible(window) ? TRUE : FALSE;
}
