// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>

namespace skin {

enum class DialogKind { Fire, Single, Hot, Media, Windows, Snipe };

// A 400 x 300 dialog background, opaque, with its title, captions, the
// normal Close, Save and Exit buttons and the selector box in place.
QImage DialogPicture(Lang lang, DialogKind kind);

// The 300 x 200 keys-recover background with its question and its Ok,
// Return and Close buttons.
QImage RecoverPicture(Lang lang);

}  // namespace skin
