// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>

namespace skin {

// The four full-window pictures of the main window, 752 x 647 and opaque.
// Each carries the window's frame (title, tabs, window buttons, Apply and
// Exit, the web address) and the captions of its page.
QImage StartPicture(Lang lang);
QImage KeyPage(Lang lang);
QImage DpiPage(Lang lang);
QImage LightPage(Lang lang);

}  // namespace skin
