// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's Minimise button: where it lies and how it looks. A press
// (CVantorDlg::MinimiseToTray, minimise_button.cpp) hides the window in the
// tray, changes kept; the press ends there.

#include "skin/hover_flags.h"

namespace layout {
inline constexpr ImageButton kMinimise{{688, 4, 719, 35}, u"/Min-normal.png", u"/Min-over.png"};
}  // namespace layout
