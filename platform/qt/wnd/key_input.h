// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys between Qt and key messages: the keystroke of a Qt key event (its
// evdev code rides in the native scan code, offset by 8 on X11 and Wayland),
// and Qt key events made for a keystroke when input is injected.

#include <QKeyEvent>

#include <memory>
#include <optional>

#include "platform/wnd/keyboard_layout.h"

KeyStroke KeyStrokeOf(const QKeyEvent& event);
std::unique_ptr<QKeyEvent> MakeKeyEvent(const KeyStroke& stroke, bool down, bool autoRepeat,
    Qt::KeyboardModifiers held = Qt::NoModifier);
// The key that types character c (digits, letters, blank), for injected typing.
std::optional<KeyStroke> KeyForCharacter(char16_t c);
