// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The density of the screen a widget is on, as the window framework counts
// it: dots per inch, 96 at 100 %.

#include "platform/windef.h"

class QPaintDevice;
class QWidget;

namespace desktop {

UINT DpiOfWidget(const QWidget& widget);
// What a painter draws on: a widget, or the buffer Qt paints it through.
UINT DpiOfPaintDevice(const QPaintDevice& device);
// Tests may put every window on a screen of their choice; 0 goes back to the
// real screens.
void SetScreenDpiOverride(UINT dpi);

}  // namespace desktop
