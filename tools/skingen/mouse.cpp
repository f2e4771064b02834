// SPDX-License-Identifier: GPL-3.0-or-later
#include "mouse.h"

#include "paint.h"
#include "theme.h"

#include <QPainter>
#include <QTransform>

namespace skin {
namespace {

constexpr qreal kUnitW = 100;
constexpr qreal kUnitH = 170;

QPainterPath Body()
{
    QPainterPath b;
    b.moveTo(50, 2);
    b.cubicTo(22, 2, 8, 22, 6, 60);
    b.cubicTo(4, 92, 3, 122, 12, 145);
    b.cubicTo(20, 162, 35, 168, 50, 168);
    b.cubicTo(65, 168, 80, 162, 88, 145);
    b.cubicTo(97, 122, 96, 92, 94, 60);
    b.cubicTo(92, 22, 78, 2, 50, 2);
    b.closeSubpath();
    return b;
}

// Everything in front of the curve where the two main buttons end.
QPainterPath FrontArea()
{
    QPainterPath f;
    f.moveTo(0, 0);
    f.lineTo(100, 0);
    f.lineTo(100, 60);
    f.cubicTo(72, 74, 28, 74, 0, 60);
    f.closeSubpath();
    return f;
}

QPainterPath Pill(QRectF r)
{
    QPainterPath p;
    const qreal radius = std::min(r.width(), r.height()) / 2;
    p.addRoundedRect(r, radius, radius);
    return p;
}

}  // namespace

MouseShape MouseOutline()
{
    MouseShape m;
    m.body = Body();
    const QPainterPath front = m.body.intersected(FrontArea());
    QPainterPath leftHalf;
    leftHalf.addRect(0, 0, 49.2, 80);
    QPainterPath rightHalf;
    rightHalf.addRect(50.8, 0, 50, 80);
    m.leftButton = front.intersected(leftHalf);
    m.rightButton = front.intersected(rightHalf);
    m.wheel = Pill(QRectF(45, 12, 10, 24));
    m.dpiButton = Pill(QRectF(44.5, 46, 11, 9));
    m.sideFront = Pill(QRectF(2.5, 74, 6, 19));
    m.sideRear = Pill(QRectF(2.5, 96, 6, 19));
    QPainterPath stripe;
    stripe.moveTo(22, 150);
    stripe.cubicTo(34, 160, 66, 160, 78, 150);
    m.ledStripe = stripe;
    return m;
}

QPointF ButtonAnchor(int slot)
{
    static const QPointF anchors[6] = {{27, 32}, {73, 30}, {50, 16}, {50, 50.5}, {5.5, 83.5}, {5.5, 105.5}};
    return anchors[slot];
}

QTransform MouseTransform(const QRectF& into)
{
    const qreal scale = std::min(into.width() / kUnitW, into.height() / kUnitH);
    const qreal x = into.left() + (into.width() - kUnitW * scale) / 2;
    const qreal y = into.top() + (into.height() - kUnitH * scale) / 2;
    return QTransform(scale, 0, 0, scale, x, y);
}

void DrawMouse(QPainter& p, const QRectF& into)
{
    const QTransform t = MouseTransform(into);
    const MouseShape m = MouseOutline();
    const QPainterPath body = t.map(m.body);
    const QRectF bounds = body.boundingRect();

    p.save();
    Glow(p, body, kAccent, 9, 0.22);
    QLinearGradient shell(bounds.topLeft(), bounds.bottomRight());
    shell.setColorAt(0, QColor(38, 56, 58));
    shell.setColorAt(0.55, QColor(17, 27, 29));
    shell.setColorAt(1, QColor(8, 13, 14));
    p.fillPath(body, shell);

    // Main buttons: slightly lifted plates with a dark groove around them.
    for (const QPainterPath& button : {t.map(m.leftButton), t.map(m.rightButton)}) {
        p.fillPath(button, VGradient(button.boundingRect(), QColor(44, 64, 66), QColor(22, 34, 36)));
        p.setPen(QPen(QColor(4, 8, 9), 1.6));
        p.drawPath(button);
    }
    p.setPen(QPen(QColor(4, 8, 9), 2));
    p.drawLine(t.map(QPointF(50, 2.5)), t.map(QPointF(50, 68)));
    p.setPen(QPen(QColor(0, 255, 198, 120), 1));
    p.drawPath(body);

    // Wheel with its ribs, DPI button and side buttons in accent outline.
    const QPainterPath wheel = t.map(m.wheel);
    p.fillPath(wheel, VGradient(wheel.boundingRect(), QColor(30, 46, 48), QColor(8, 14, 15)));
    p.setPen(QPen(kAccent, 1.2));
    p.drawPath(wheel);
    p.setPen(QPen(QColor(0, 255, 198, 110), 1));
    for (qreal y = 15; y < 34; y += 3) {
        p.drawLine(t.map(QPointF(47, y)), t.map(QPointF(53, y)));
    }
    for (const QPainterPath& small : {t.map(m.dpiButton), t.map(m.sideFront), t.map(m.sideRear)}) {
        p.fillPath(small, QColor(10, 20, 21));
        p.setPen(QPen(kAccent, 1.2));
        p.drawPath(small);
    }

    // The light: a glowing stripe across the back and a mark on the palm.
    const QPainterPath stripe = t.map(m.ledStripe);
    Glow(p, stripe, kAccent, 8, 0.8);
    p.setPen(QPen(QColor(190, 255, 240), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stripe);
    QPainterPath mark;
    mark.moveTo(40, 104);
    mark.lineTo(50, 94);
    mark.lineTo(60, 104);
    mark.moveTo(43, 112);
    mark.lineTo(50, 105);
    mark.lineTo(57, 112);
    const QPainterPath markOnBody = t.map(mark);
    Glow(p, markOnBody, kAccent, 5, 0.5);
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(markOnBody);
    p.restore();
}

}  // namespace skin
