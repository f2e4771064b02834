// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Headless driving of the desktop, for tests and the scripted runner, in a
// library of its own that only they link: the program does not contain it. The
// real windows run on the offscreen platform; input is injected at client
// coordinates and goes the way the desktop's own input goes (queue, hooks,
// pre-translation, dispatch, control behaviour); hover time passes only when
// told to; the tray icon and pop-up menus are recorded instead of shown.
// Message boxes go through platform/msg_box.h: install a recording presenter.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/headless_records.h"

namespace wndtest {

using headless::DesktopNotification;
using headless::MenuRecord;
using headless::TrayCall;

// Starts the desktop without a screen; safe to call again. Clears the
// records and the scripted modal actions.
void StartHeadless();
bool IsHeadless();

// Handles everything waiting: desktop events, queued messages, paints.
void PumpMessages();
// Lets hover time pass (then pumps). The clock starts at 0 and never moves by itself.
void AdvanceTime(DWORD milliseconds);
DWORD Now();

// Pointer input at client coordinates of `window` (a top-level window or a
// control); each call pumps afterwards. Move also moves the cursor.
void MouseMove(HWND window, CPoint client);
void MouseDown(HWND window, CPoint client);
void MouseUp(HWND window, CPoint client);
void Click(HWND window, CPoint client);
void DoubleClick(HWND window, CPoint client);
void RightClick(HWND window, CPoint client);
// The pointer leaves the program's windows.
void MouseLeave(HWND window);

// A key of the US layout by virtual key; extended picks right Ctrl, keypad
// Enter, the arrow block and the like. Goes to the focused control of the
// window, else to the window.
void KeyDown(HWND window, UINT virtualKey, bool extended = false, bool autoRepeat = false);
void KeyUp(HWND window, UINT virtualKey, bool extended = false);
void KeyPress(HWND window, UINT virtualKey, bool extended = false);
// A key as the desktop reports it: by its evdev code (X11 and Wayland), or,
// with evdevCode 0, by the toolkit's key value alone, as some platforms do.
void ReportedKeyPress(HWND window, int evdevCode, int toolkitKey = 0);
// Every key value the toolkit defines, with its name, for tests that press them all.
std::vector<std::pair<int, std::string>> ToolkitKeys();
// Types characters into the focused control (digits, letters).
void TypeText(HWND window, std::u16string_view text);
// Moves the keyboard focus to window (a control), as a click would.
void Focus(HWND window);

// What the window shows: its surface with its child controls drawn over it.
// What the window shows, in the pixels of its screen: dpi / 96 of them per
// client pixel.
struct WindowImage {
    int width = 0;
    int height = 0;
    UINT dpi = 96;
    std::vector<COLORREF> pixels;  // row by row
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
WindowImage GrabWindow(HWND window);
bool SaveWindowPng(HWND window, const std::string& path);
COLORREF WindowPixel(HWND window, CPoint client);

// The window's accessible tree as a screen reader gets it, as text: one
// element a line, indented by depth, with role, name, value, states and
// actions.
std::string AccessibleTree(HWND window);
// The default action of the window's element of that name (UTF-8), as a
// screen reader asks for it; false when there is no such element or action.
bool AccessiblePress(HWND window, const std::string& name);
// The value the element of that name shows; nothing without such an element.
std::optional<std::string> AccessibleValue(HWND window, const std::string& name);
// What a screen reader reads of the element of that name (or labelled so)
// when the focus lands on it, in one line: role, name, the name of the label
// it is labelled by, description, value. Nothing without such an element.
std::optional<std::string> AccessibleReading(HWND window, const std::string& name);
// The same read of a plain combo box of the toolkit showing `value`, with a
// label of text `label` as its buddy: how a labelled box reads elsewhere.
std::string LabelledComboBoxReading(const std::string& label, const std::string& value);
// The identity a screen reader keeps for the element of that name (or
// labelled so), 0 without one; and whether an identity still stands for an
// element.
std::uint64_t AccessibleId(HWND window, const std::string& name);
bool AccessibleIdAlive(std::uint64_t id);

// Actions run, in order, inside the next modal loops while their dialog is
// open; each gets the dialog. A modal dialog still open when no action is
// left ends with -1, so a test cannot hang, and the unscripted-modal handler
// hears of it (the test fixture makes that a failure: a dialog nobody
// expected came up).
void QueueModalAction(std::function<void(HWND dialog)> action);
using UnscriptedModalHandler = std::function<void(UINT templateId)>;
// Installs the handler and returns the previous one; StartHeadless keeps it.
// Without a handler the dialog's template id goes to standard error.
UnscriptedModalHandler SetUnscriptedModalHandler(UnscriptedModalHandler handler);

const std::vector<TrayCall>& TrayCalls();
// Mouse activity on the tray icon: its callback message with this mouse message.
void TrayMouse(UINT mouseMessage);
// Whether the desktop offers a notification area (IsNotificationAreaAvailable).
// Time that passes (AdvanceTime) ends the icons' grace period.
void SetNotificationAreaAvailable(bool available);
// Puts every window made from now on on a screen of dpi dots per inch (144:
// 150 %, 192: 200 %); 0 goes back to the real screen. Windows already made
// follow on their next repaint, as after a move to another screen.
void SetScreenDpi(UINT dpi);

// What the desktop's notification service was handed for a balloon that no
// notification area showed.
const std::vector<DesktopNotification>& DesktopNotifications();
// Headless runs only record these, so that no test shows a notification on
// the desktop it runs in; a test with a session bus of its own may have them
// sent there as well.
void SendDesktopNotificationsToSessionBus(bool send);

const std::vector<MenuRecord>& Menus();
// The entry the next pop-up menus choose; 0 dismisses them.
void SetMenuChoice(UINT id);

// Non-client drags started (posted WM_NCLBUTTONDOWN with HTCAPTION).
int SystemMovesStarted();

}  // namespace wndtest
