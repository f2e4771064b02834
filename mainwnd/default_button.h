// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key page's Default button: where it lies, how it looks, and what a
// press on it does. The recover dialog asks first; confirmed, the factory
// assignment and its labels replace the slots'.

#include "mainwnd/screen_element.h"
#include "mainwnd/slot_assignment.h"
#include "skin/hover_flags.h"

class CAssignmentDialogs;
class IPageHost;

namespace layout {
inline constexpr ImageButton kDefault{{352, 572, 468, 602}, u"/Default-normal.png", u"/Default-over.png"};
inline constexpr ScreenElement kDefaultElement{ElementKind::Button, kDefault.rect, true};
}  // namespace layout

// Returns whether the slots were restored (their boxes are then to be drawn anew).
bool PressDefault(CAssignmentDialogs& dialogs, IPageHost& host, SlotLabels& labels);
