// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's Close button: where it lies and how it looks. A press
// (CVantorDlg::CloseProgram, close_button.cpp) ends the program.

#include "skin/hover_flags.h"

namespace layout {
inline constexpr ImageButton kClose{{721, 4, 752, 35}, u"/Close-normal.png", u"/Close-over.png"};
}  // namespace layout
