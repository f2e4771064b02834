// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs.h"

#include <QPointF>

class QPainter;

namespace skin {

// The line-art symbol of a dialog, centred at a point, about `size` across.
void DialogGlyph(QPainter& p, DialogKind kind, QPointF centre, qreal size);

// A circular arrow, the symbol of restoring defaults.
void RestoreGlyph(QPainter& p, QPointF centre, qreal size);

}  // namespace skin
