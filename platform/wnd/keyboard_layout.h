// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The US English keyboard as key messages describe it: each physical key's
// scan code (set 1), extended-key bit and virtual-key code. The desktop
// reports keys by their evdev code; this table turns them into what Windows
// would have put into wParam and lParam.

#include <optional>

#include "platform/windef.h"

struct KeyStroke {
    int evdev = 0;
    UINT scanCode = 0;
    bool extended = false;
    UINT virtualKey = 0;
};

// numLock decides between the digit and the navigation meaning of keypad keys.
std::optional<KeyStroke> KeyFromEvdev(int evdevCode, bool numLock);
// The key that produces virtualKey; extended picks the right-hand or
// navigation-block twin (right Ctrl, keypad Enter, the arrow block).
std::optional<KeyStroke> KeyFromVirtualKey(UINT virtualKey, bool extended);

// lParam of a key message: repeat count 1, scan code, extended bit, Alt,
// previous state and transition bits as Windows sets them.
LPARAM KeyMessageLParam(const KeyStroke& key, bool down, bool autoRepeat, bool altDown);
