// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's Apply button: where it lies and how it looks. A press
// (CVantorDlg::ApplyToMouse, apply_button.cpp) writes the record to the
// mouse, config.bin and the labels to str.ini, and the record becomes what
// Exit goes back to. The press goes on to the page and to a drag.

#include "skin/hover_flags.h"

namespace layout {
inline constexpr ImageButton kApply{{471, 572, 587, 602}, u"/Save-normal.png", u"/Save-over.png"};
}  // namespace layout
