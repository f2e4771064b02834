// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windef.h"

// Walks the present HID interfaces and opens the mouse's command and data
// collections into g_deviceLink. Returns 1 when both were opened (and sets the
// device-present flag), 0 otherwise. `owner` owns the message box shown when
// a collection of the mouse cannot be opened.
int Discover(HWND owner);
