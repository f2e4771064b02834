// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// On X11 a desktop ties a window to its menu entry by the window's class
// (WM_CLASS, matched against the entry's StartupWMClass). Every top-level
// window gets the menu entry's name (the desktop file name) as both parts of
// its class, where Qt would give the program's file name. Elsewhere (Wayland,
// no screen) nothing happens: the app id already carries the entry's name.

namespace desktop {

// Safe to call again; needs the application object.
void InstallX11WindowClass();

}  // namespace desktop
