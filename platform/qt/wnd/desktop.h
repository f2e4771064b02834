// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State of the desktop backend shared by its files: headless mode and its
// virtual clock, the cursor, the records that headless runs keep, and the
// turning of Qt input into queued window messages.

#include <QEvent>
#include <QIcon>

#include <functional>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/icon.h"

class CDialog;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace desktop {

// Headless runs are started by the test driver, which hands in the modal
// loop they run instead of the desktop's (pumping and running the scripted
// actions); nullptr ends them.
using HeadlessModalLoop = void (*)(CDialog& dialog);
bool Headless();
void SetHeadless(HeadlessModalLoop modalLoop);
// The virtual clock of headless runs.
DWORD VirtualNow();
void AdvanceVirtualClock(DWORD milliseconds);
void SetHeadlessCursor(CPoint screen);

// Queues the window message for a mouse event on `window`'s widget. For a
// control, nativeDefault is what the control does with the event when the
// message reaches its default handling.
void PostMouseInput(HWND window, const QMouseEvent& event, std::function<void()> nativeDefault);
void PostKeyInput(HWND window, const QKeyEvent& event, std::function<void()> nativeDefault);
// The pointer moved over `window` (client coordinates).
void PointerOver(HWND window, CPoint client);

// The keyboard focus moved to `window` (nullptr: to no control); tells an
// edit's parent that the edit lost or got it.
void FocusMovedTo(HWND window);
HWND FocusedControl();

QIcon IconOf(HICON icon);
// The largest picture file the icon was loaded from; empty when none.
QString IconFileOf(HICON icon);


}  // namespace desktop

namespace desktop {

// The callback of every tray icon, as if the pointer did mouseMessage on it.
void DeliverTrayMouse(UINT mouseMessage);
void ForgetTrayIcons();
// Ends the grace period of the tray icons whose time is up (desktop clock).
void TrayTimePassed();

}  // namespace desktop
