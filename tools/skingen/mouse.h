// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace skin {

// The mouse seen from above, in a 100 x 170 unit box, front at the top.
struct MouseShape {
    QPainterPath body;
    QPainterPath leftButton;
    QPainterPath rightButton;
    QPainterPath wheel;
    QPainterPath dpiButton;
    QPainterPath sideFront;
    QPainterPath sideRear;
    QPainterPath ledStripe;
};

MouseShape MouseOutline();

// Where each of the six buttons sits on the mouse, in the same units, in slot
// order: left, right, wheel, DPI, side front, side rear.
QPointF ButtonAnchor(int slot);

// Draws the detailed mouse scaled into the rectangle (kept in proportion,
// centred), lit with the accent.
void DrawMouse(QPainter& p, const QRectF& into);

// The mapping from mouse units to the rectangle DrawMouse uses.
QTransform MouseTransform(const QRectF& into);

}  // namespace skin
