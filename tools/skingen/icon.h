// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

namespace skin {

// The application icon at one pixel size. Sizes up to 32 are drawn on the
// pixel grid with fewer details so they stay crisp in a tray.
QImage AppIcon(int size);

// The icon's artwork painted into a square of the target, as the title bar uses it.
void DrawIconArt(QPainter& p, const QRectF& square);

}  // namespace skin
