// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace skin {

// How the program uses a picture: as a window's canvas (copied opaque) or
// painted over a canvas with per-pixel alpha.
enum class Use { Canvas, Blended };

struct Picture {
    QString name;      // file name as the program asks for it, with its slash
    Use use;
    QSize exact;       // required size of a blended picture; empty for canvases
    QSize atMost;      // upper bound instead of an exact size (the tick)
    std::function<QImage(Lang)> draw;
};

// Every picture of a skin folder, in the program's table order.
const std::vector<Picture>& Pictures();

// One place where the program draws a picture: onto the canvas `window`
// (itself a picture name) with the top-left corner at `rect`'s, or where it
// tests clicks that the picture must cover.
struct Placement {
    QString picture;
    QString window;
    QRect rect;
};

const std::vector<Placement>& Placements();

// The icon sizes written beside the executables.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString IconFileName(int size);

}  // namespace skin
