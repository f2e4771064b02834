// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's Exit button: where it lies and how it looks. A press
// (CVantorDlg::ExitToTray, exit_button.cpp) discards what was not applied,
// has the page rebuilt when the window is next shown, and hides the window.
// The press goes on to the page and to a drag.

#include "skin/hover_flags.h"

namespace layout {
inline constexpr ImageButton kExit{{590, 572, 706, 602}, u"/Exit-normal.png", u"/Exit-over.png"};
}  // namespace layout
