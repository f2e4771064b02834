// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include "fonts.h"
#include "paint.h"
#include "theme.h"

#include <QPainter>

#include <cmath>

namespace skin {
namespace {

// Symbols are drawn on a 64-unit square; this maps it around the centre.
QTransform Unit(QPointF centre, qreal size)
{
    const qreal s = size / 64;
    return QTransform(s, 0, 0, s, centre.x() - 32 * s, centre.y() - 32 * s);
}

void Stroke(QPainter& p, const QPainterPath& path, qreal width)
{
    Glow(p, path, kAccent, 6, 0.45);
    p.setPen(QPen(kAccent, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath Keycap(QRectF r)
{
    QPainterPath k;
    k.addRoundedRect(r, 5, 5);
    k.addRoundedRect(r.adjusted(4, 3, -4, -7), 3, 3);
    return k;
}

void KeyLetter(QPainter& p, const QTransform& t, QRectF r, const QString& text, qreal px)
{
    const QRectF face = t.mapRect(r.adjusted(4, 3, -4, -7));
    Caption(p, face, Qt::AlignHCenter, text, MakeFont(Face::SansBold, px), kHeading);
}

QPainterPath Symbol(DialogKind kind)
{
    QPainterPath s;
    switch (kind) {
    case DialogKind::Fire:
        for (int i = 0; i < 3; ++i) {
            s.moveTo(10 + i * 16, 16);
            s.lineTo(26 + i * 16, 32);
            s.lineTo(10 + i * 16, 48);
        }
        break;
    case DialogKind::Single:
        s = Keycap(QRectF(12, 12, 40, 40));
        break;
    case DialogKind::Hot:
        s = Keycap(QRectF(2, 18, 34, 30));
        s.addPath(Keycap(QRectF(40, 18, 22, 30)));
        break;
    case DialogKind::Media:
        s.addEllipse(QPointF(32, 32), 26, 26);
        s.moveTo(26, 20);
        s.lineTo(44, 32);
        s.lineTo(26, 44);
        s.closeSubpath();
        break;
    case DialogKind::Windows:
        s.addRoundedRect(QRectF(6, 14, 44, 38), 4, 4);
        s.moveTo(6, 23);
        s.lineTo(50, 23);
        s.moveTo(34, 30);
        s.lineTo(58, 6);
        s.moveTo(44, 6);
        s.lineTo(58, 6);
        s.lineTo(58, 20);
        break;
    case DialogKind::Snipe:
        s.addEllipse(QPointF(32, 32), 24, 24);
        s.addEllipse(QPointF(32, 32), 2, 2);
        for (const auto& [a, b] : {std::pair{QPointF(32, 2), QPointF(32, 20)}, {QPointF(32, 44), QPointF(32, 62)},
                                   {QPointF(2, 32), QPointF(20, 32)}, {QPointF(44, 32), QPointF(62, 32)}}) {
            s.moveTo(a);
            s.lineTo(b);
        }
        break;
    }
    return s;
}

}  // namespace

void DialogGlyph(QPainter& p, DialogKind kind, QPointF centre, qreal size)
{
    p.save();
    const QTransform t = Unit(centre, size);
    Stroke(p, t.map(Symbol(kind)), 2.2);
    if (kind == DialogKind::Single) {
        KeyLetter(p, t, QRectF(12, 12, 40, 40), "A", size * 0.3);
    } else if (kind == DialogKind::Hot) {
        KeyLetter(p, t, QRectF(2, 18, 34, 30), "Ctrl", size * 0.16);
        KeyLetter(p, t, QRectF(40, 18, 22, 30), "C", size * 0.2);
    }
    p.restore();
}

void RestoreGlyph(QPainter& p, QPointF centre, qreal size)
{
    p.save();
    const QTransform t = Unit(centre, size);
    QPainterPath s;
    s.arcMoveTo(QRectF(10, 10, 44, 44), 120);
    s.arcTo(QRectF(10, 10, 44, 44), 120, 290);
    const QPointF end = s.currentPosition();
    s.moveTo(end + QPointF(-1, -12));
    s.lineTo(end);
    s.lineTo(end + QPointF(12, -2));
    Stroke(p, t.map(s), 2.4);
    p.restore();
}

}  // namespace skin
