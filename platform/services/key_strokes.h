#pragma once
// The Windows view of a Linux keystroke: the keyboard's scan code, the
// extended-key flag and the virtual-key code that Windows would put in a key
// message for a US English layout. The desktop backend finds the keystroke
// from the X11 or evdev key code of a key event and builds the key message's
// lParam with KeyMessageLParam; GetKeyNameTextW then names it.

#include <optional>

#include "platform/windef.h"

struct KeyStroke {
    BYTE scanCode = 0;
    bool extended = false;
    BYTE virtualKey = 0;
    friend constexpr bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// From a Linux input-event key code (KEY_A is 30). Keypad keys give their
// digit virtual keys with Num Lock on and their navigation keys with it off.
std::optional<KeyStroke> KeyStrokeFromEvdevCode(unsigned evdevCode, bool numLockOn = true);

// From an X11 key code, which under the evdev driver is the evdev code plus 8
// (what Qt reports as the native scan code on X11).
std::optional<KeyStroke> KeyStrokeFromX11Keycode(unsigned x11Keycode, bool numLockOn = true);

// The keystroke that produces `virtualKey`, with the extended flag choosing
// between a pair (Enter and Num Enter, left and right Ctrl). For driving
// windows from tests with virtual-key codes.
std::optional<KeyStroke> KeyStrokeFromVirtualKey(BYTE virtualKey, bool extended = false);

enum class KeyTransition {
    Press,   // first key-down
    Repeat,  // auto-repeated key-down
    Release, // key-up
};

// The lParam of a key message: repeat count 1, scan code in bits 16 to 23,
// extended flag in bit 24, Alt held in bit 29, previous state in bit 30,
// transition in bit 31.
LPARAM KeyMessageLParam(const KeyStroke& stroke, KeyTransition transition, bool altDown = false);
