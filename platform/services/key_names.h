// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key-name text of a keystroke as Windows gives it for a US English
// keyboard layout ("Ctrl", "Right Ctrl", "Num 5", "Prnt Scrn", "A", "/"...).
// The desktop backend builds the lParam of a key message from the key event.

#include "platform/windef.h"

// lParam is the keystroke's message parameter: scan code in bits 16 to 23,
// extended-key flag in bit 24; with bit 25 set, left and right Ctrl, Shift
// and Alt get the same name. Copies the name, cut to size - 1 characters and
// NUL-terminated, and returns its length; a key without a name gives 0 and an
// empty buffer.
int GetKeyNameTextW(LONG lParam, char16_t* buffer, int size);
