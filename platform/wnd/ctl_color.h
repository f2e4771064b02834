// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asking a control's parent for the control's colours: the parent's
// WM_CTLCOLOR handler gets a device context in its default state (and the
// control's handle), sets text colour, background mode and font on it and
// returns a brush. What it set is read back here for the control to paint with.

#include <optional>

#include "platform/gdi/font.h"
#include "platform/windef.h"

class CWnd;

struct ControlColours {
    COLORREF text = 0;
    COLORREF textBackground = 0;  // used only when bkMode is OPAQUE
    int bkMode = 0;
    COLORREF background = 0;  // the brush's colour
    std::optional<LOGFONTW> font;  // what the handler selected, if anything
};

// message: WM_CTLCOLORLISTBOX or WM_CTLCOLOREDIT. A control without a parent
// gets the default colours.
ControlColours AskControlColours(CWnd& control, UINT message);
