// SPDX-License-Identifier: GPL-3.0-or-later
#include "buttons.h"

#include <functional>

#include "paint.h"
#include "theme.h"

#include <QPainter>

namespace skin {
namespace {

QColor Alpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// The program restores a button by painting its "-normal" picture over the
// "-over" one without clearing, so every hovered shape stays this far inside
// the opaque body of the normal shape and leaves no rim behind.
constexpr qreal kOverInset = 1.5;

// The window buttons' square face, normal or hovered.
QPainterPath WindowButtonFace(Look look)
{
    const qreal inset = look == Look::Over ? kOverInset : 0;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(2.5, 2.5, 26, 26).adjusted(inset, inset, -inset, -inset), 5 - inset, 5 - inset);
    return shape;
}

}  // namespace

QImage WideButton(Lang lang, const QString& caption, Look look, bool primary)
{
    QImage image = NewImage(kWideButton);
    QPainter p(&image);
    Prepare(p);
    const QRectF outer(0.5, 0.5, kWideButton.width() - 1, kWideButton.height() - 1);
    QColor textColour;
    if (look == Look::Over) {
        const QRectF r = outer.adjusted(kOverInset, kOverInset, -kOverInset, -kOverInset);
        const QPainterPath shape = Chamfered(r, 7);
        p.fillPath(shape, VGradient(r, QColor(96, 255, 222), QColor(0, 186, 146)));
        p.setPen(QPen(QColor(190, 255, 240), 1));
        p.drawPath(Chamfered(r.adjusted(0.5, 0.5, -0.5, -0.5), 7));
        textColour = QColor(3, 34, 28);
    } else {
        const QPainterPath shape = Chamfered(outer, 7);
        const QColor top = primary ? QColor(18, 66, 58) : QColor(20, 38, 39);
        const QColor bottom = primary ? QColor(9, 36, 32) : QColor(11, 21, 22);
        p.fillPath(shape, VGradient(outer, top, bottom));
        p.setPen(QPen(Alpha(kAccent, primary ? 200 : 110), 1));
        p.drawPath(shape);
        textColour = primary ? kAccent : kHeading;
    }
    // A short lit stroke on the cut corner marks the button's face.
    p.setPen(QPen(look == Look::Over ? QColor(230, 255, 250) : Alpha(kAccent, 230), 2));
    p.drawLine(QPointF(3, 11), QPointF(10, 4));
    const QFont font = CaptionFont(lang, lang == Lang::CHS ? 14 : 13, true, lang == Lang::CHS ? 3 : 1.5);
    Caption(p, outer, Qt::AlignHCenter, caption, font, textColour);
    return image;
}

namespace {

// The face both window buttons share: a dark face with a thin rim, or a lit
// gradient when hovered; the glyph is drawn over it in its own colour.
QImage WindowButton(Look look, QColor overTop, QColor overBottom, QColor glyphOver,
                    const std::function<void(QPainter&)>& drawGlyph)
{
    QImage image = NewImage(kSquareButton);
    QPainter p(&image);
    Prepare(p);
    const QPainterPath shape = WindowButtonFace(look);
    const QRectF r = shape.boundingRect();
    if (look == Look::Over) {
        p.fillPath(shape, VGradient(r, overTop, overBottom));
    } else {
        p.fillPath(shape, QColor(16, 30, 31));
        p.setPen(QPen(Alpha(kAccent, 90), 1));
        p.drawPath(shape);
    }
    p.setPen(QPen(look == Look::Over ? glyphOver : kHeading, 2, Qt::SolidLine, Qt::RoundCap));
    drawGlyph(p);
    return image;
}

}  // namespace

QImage MinimiseButton(Look look)
{
    return WindowButton(look, QColor(70, 255, 215), QColor(0, 170, 134), QColor(3, 34, 28),
                        [](QPainter& p) { p.drawLine(QPointF(10.5, 19), QPointF(20.5, 19)); });
}

QImage CloseButton(Look look)
{
    return WindowButton(look, QColor(255, 112, 120), QColor(200, 36, 56), QColor(255, 255, 255), [](QPainter& p) {
        p.drawLine(QPointF(11, 11), QPointF(20, 20));
        p.drawLine(QPointF(20, 11), QPointF(11, 20));
    });
}

QImage DropdownBox(Look look)
{
    QImage image = NewImage(kDropdown);
    QPainter p(&image);
    Prepare(p);
    const bool over = look == Look::Over;
    const qreal inset = over ? kOverInset : 0;
    const QRectF r =
        QRectF(0.5, 0.5, kDropdown.width() - 1, kDropdown.height() - 1).adjusted(inset, inset, -inset, -inset);
    QPainterPath shape;
    shape.addRoundedRect(r, 4 - inset, 4 - inset);
    p.fillPath(shape, over ? VGradient(r, QColor(30, 74, 68), QColor(18, 46, 43))
                           : VGradient(r, QColor(22, 46, 44), QColor(12, 28, 27)));
    // The arrow strip: its own shade, split off by a hairline.
    const qreal split = kDropdown.width() - kDropdownArrow;
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(split, 0, kDropdownArrow, kDropdown.height()),
               over ? VGradient(r, QColor(70, 255, 215), QColor(0, 168, 132))
                    : VGradient(r, QColor(26, 60, 56), QColor(15, 36, 34)));
    p.restore();
    p.setPen(QPen(over ? kAccent : Alpha(kAccent, 70), 1));
    p.drawPath(shape);
    p.setPen(QPen(Alpha(kAccent, over ? 0 : 60), 1));
    p.drawLine(QPointF(split + 0.5, 4), QPointF(split + 0.5, kDropdown.height() - 4));
    QPainterPath chevron;
    const QPointF c(split + kDropdownArrow / 2.0, kDropdown.height() / 2.0 + 1);
    chevron.moveTo(c + QPointF(-5, -3));
    chevron.lineTo(c + QPointF(0, 2));
    chevron.lineTo(c + QPointF(5, -3));
    p.setPen(QPen(over ? QColor(3, 34, 28) : kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevron);
    return image;
}

QImage Tick()
{
    QImage image = NewImage(kTick);
    QPainter p(&image);
    Prepare(p);
    const QRectF box(0.5, (kTick.height() - 16) / 2 + 0.5, 15, 15);
    QPainterPath shape;
    shape.addRoundedRect(box, 3, 3);
    p.fillPath(shape, VGradient(box, QColor(100, 255, 224), QColor(0, 178, 140)));
    p.setPen(QPen(QColor(180, 255, 238), 1));
    p.drawPath(shape);
    QPainterPath check;
    check.moveTo(box.left() + 3.5, box.center().y() + 0.5);
    check.lineTo(box.left() + 6.5, box.center().y() + 3.5);
    check.lineTo(box.right() - 3, box.top() + 4);
    p.setPen(QPen(QColor(3, 34, 28), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);
    return image;
}

}  // namespace skin
