// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the framework asks of the desktop backend (platform/qt/wnd). The
// framework itself stays free of the toolkit; these calls are its only way
// to the screen, the event loop and the pointer.

#include <cstddef>
#include <functional>

#include "platform/geometry.h"
#include "platform/windef.h"

class CDialog;
class CWnd;

namespace wndbackend {

// Have the event loop call DrainMessages() soon.
void RequestDrain();
// Runs a nested loop until dialog.IsModalEnded(); QuitModalLoop wakes it.
void RunModalLoop(CDialog& dialog);
void QuitModalLoop();

// Puts the window's surface on screen after drawing.
void PresentSurface(CWnd& window);
// Tells a screen reader that the keyboard focus is now on the window's
// element `index` (of CWnd::AccessibleChildren).
void AnnounceFocus(CWnd& window, std::size_t index);
// A non-client drag of the window with the pressed button (HTCAPTION).
void StartSystemMove(CWnd& window);
// The screen area windows are centred on.
CRect WorkArea();

// Milliseconds of the clock that hover times are measured on, and a wake-up
// for the hover tracker at `dueTime` on that clock.
DWORD HoverClock();
void ArmHoverTimer(DWORD dueTime);
CPoint CursorPos();

}  // namespace wndbackend
