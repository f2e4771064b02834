// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.h"

#include "mouse.h"
#include "paint.h"
#include "theme.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace skin {
namespace {

void Tile(QPainter& p, const QRectF& r, qreal edge)
{
    const qreal radius = r.width() * 0.22;
    QPainterPath tile;
    tile.addRoundedRect(r.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2), radius, radius);
    p.fillPath(tile, VGradient(r, QColor(24, 58, 53), QColor(6, 16, 16)));
    p.setPen(QPen(QColor(0, 255, 198, 200), edge));
    p.drawPath(tile);
}

QBrush BodyBrush(const QRectF& r)
{
    return VGradient(r, QColor(150, 255, 232), QColor(0, 176, 138));
}

// Small sizes: a wide mouse placed on whole pixels, split line and wheel
// notch on pixel centres.
void SmallMouse(QPainter& p, int size)
{
    int w = static_cast<int>(std::lround(size * 0.56));
    if (w % 2 == 0) {
        --w;
    }
    const int h = static_cast<int>(std::lround(size * 0.76));
    const int left = (size - w) / 2;
    const int top = (size - h + 1) / 2;
    const QRectF body(left, top, w, h);
    const QTransform t = QTransform::fromScale(w / 100.0, h / 170.0) * QTransform::fromTranslate(left, top);
    const MouseShape m = MouseOutline();
    p.fillPath(t.map(m.body), BodyBrush(body));
    const qreal centre = left + w / 2.0;
    const QColor groove(4, 30, 25);
    p.fillRect(QRectF(centre - 0.5, top, 1, std::round(h * 0.4)), groove);
    if (size >= 22) {
        const qreal wheelW = size >= 32 ? 3 : 1;
        p.fillRect(QRectF(centre - wheelW / 2, top + std::round(h * 0.1), wheelW, std::round(h * 0.2)), groove);
    }
    if (size >= 32) {
        p.setPen(QPen(groove, 1));
        p.drawPath(t.map(m.leftButton).united(t.map(m.rightButton)));
    }
}

void LargeMouse(QPainter& p, const QRectF& square)
{
    const qreal s = square.width();
    // Wider than the true outline, so the mouse fills the tile.
    const QTransform t = QTransform::fromScale(s * 0.56 / 100, s * 0.78 / 170) *
                         QTransform::fromTranslate(square.left() + s * 0.22, square.top() + s * 0.11);
    const MouseShape m = MouseOutline();
    const QPainterPath body = t.map(m.body);
    Glow(p, body, kAccent, s * 0.04, 0.5);
    p.fillPath(body, BodyBrush(body.boundingRect()));
    const QColor groove(4, 30, 25);
    p.setPen(QPen(groove, std::max<qreal>(1, s * 0.018)));
    p.drawPath(t.map(m.leftButton));
    p.drawPath(t.map(m.rightButton));
    p.drawLine(t.map(QPointF(50, 2)), t.map(QPointF(50, 68)));
    p.fillPath(t.map(m.wheel), groove);
    p.setPen(QPen(QColor(230, 255, 250), std::max<qreal>(1, s * 0.02), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(t.map(m.ledStripe));
    QPainterPath mark;
    mark.moveTo(40, 104);
    mark.lineTo(50, 94);
    mark.lineTo(60, 104);
    p.setPen(QPen(groove, std::max<qreal>(1, s * 0.025), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t.map(mark));
}

}  // namespace

void DrawIconArt(QPainter& p, const QRectF& square)
{
    p.save();
    Tile(p, square, std::max<qreal>(1, square.width() / 40));
    LargeMouse(p, square);
    p.restore();
}

QImage AppIcon(int size)
{
    QImage image = NewImage(QSize(size, size));
    QPainter p(&image);
    Prepare(p);
    if (size <= 32) {
        Tile(p, QRectF(0, 0, size, size), 1);
        SmallMouse(p, size);
    } else {
        DrawIconArt(p, QRectF(0, 0, size, size));
    }
    return image;
}

}  // namespace skin
