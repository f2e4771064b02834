// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>
#include <QString>

namespace skin {

enum class Look { Normal, Over };

// The wide caption buttons (Apply, Exit, Default, Ok, Back): 116 x 30.
// A primary button carries the accent even when not hovered.
QImage WideButton(Lang lang, const QString& caption, Look look, bool primary);

// The window buttons: 31 x 31.
QImage MinimiseButton(Look look);
QImage CloseButton(Look look);

// The selector box: 128 x 29, its arrow inside the right 28 pixels.
QImage DropdownBox(Look look);

// The tick of the third page: 16 x 27, a lit check box centred vertically.
QImage Tick();

}  // namespace skin
