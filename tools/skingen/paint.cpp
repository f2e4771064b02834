// SPDX-License-Identifier: GPL-3.0-or-later
#include "paint.h"

#include "fonts.h"
#include "theme.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>

#include <stdexcept>

namespace skin {
namespace {

qreal g_drawScale = 1;

}  // namespace

DrawScale::DrawScale(qreal scale) : m_previous(g_drawScale)
{
    g_drawScale = scale;
}

DrawScale::~DrawScale()
{
    g_drawScale = m_previous;
}

QImage NewImage(QSize size)
{
    QImage image(size * g_drawScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(g_drawScale);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(qRound(3780 * g_drawScale));
    image.setDotsPerMeterY(qRound(3780 * g_drawScale));
    return image;
}

void Prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

qreal TextWidth(const QString& text, const QFont& font)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

void Caption(QPainter& p, const QRectF& box, Qt::Alignment align, const QString& text, const QFont& font,
             const QBrush& brush)
{
    const QFontMetricsF metrics(font);
    for (char32_t c : text.toUcs4()) {
        if (c != ' ' && !metrics.inFontUcs4(c)) {
            throw std::runtime_error("caption \"" + text.toStdString() + "\" has a character " + font.family().toStdString() +
                                     " cannot show");
        }
    }
    const qreal width = metrics.horizontalAdvance(text);
    if (width > box.width() + 0.5) {
        throw std::runtime_error("caption does not fit its place: \"" + text.toStdString() + "\" needs " +
                                 std::to_string(width) + " px, has " + std::to_string(box.width()));
    }
    qreal x = box.left();
    if (align & Qt::AlignRight) {
        x = box.right() - width;
    } else if (align & Qt::AlignHCenter) {
        x = box.left() + (box.width() - width) / 2;
    }
    // Centre on the height of capitals and CJK ideographs rather than on the
    // full ascent, which would let captions sit visibly high.
    const qreal capHeight = font.family().contains("CJK") ? metrics.ascent() * 0.78 : metrics.capHeight();
    const qreal baseline = box.top() + (box.height() + capHeight) / 2;
    QPainterPath path;
    path.addText(QPointF(x, baseline), font, text);
    p.fillPath(path, brush);
}

QPainterPath Chamfered(const QRectF& r, qreal cut)
{
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

void Glow(QPainter& p, const QPainterPath& shape, QColor colour, qreal radius, qreal strength)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const int steps = 6;
    for (int i = steps; i >= 1; --i) {
        QColor c = colour;
        c.setAlphaF(strength * (1.0 - static_cast<qreal>(i - 1) / steps) / steps * 2);
        p.setPen(QPen(c, radius * 2 * i / steps, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

QBrush VGradient(const QRectF& r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return QBrush(g);
}

void Backdrop(QPainter& p, const QRectF& r)
{
    p.fillRect(r, VGradient(r, kBackTop, kBackBottom));
    p.save();
    p.setClipRect(r);
    QPen pen(QColor(255, 255, 255, 6), 1);
    p.setPen(pen);
    for (qreal x = r.left() - r.height(); x < r.right(); x += 6) {
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    }
    // A faint accent bloom in the top-left corner gives the surface depth.
    QRadialGradient bloom(r.topLeft() + QPointF(r.width() * 0.25, 0), r.width() * 0.6);
    bloom.setColorAt(0, QColor(0, 255, 198, 18));
    bloom.setColorAt(1, QColor(0, 255, 198, 0));
    p.fillRect(r, bloom);
    p.restore();
}

void Panel(QPainter& p, const QRectF& r, qreal cut)
{
    const QPainterPath shape = Chamfered(r.adjusted(0.5, 0.5, -0.5, -0.5), cut);
    p.save();
    p.fillPath(shape, VGradient(r, QColor(17, 31, 33, 235), QColor(10, 18, 20, 235)));
    p.setPen(QPen(kPanelEdge, 1));
    p.drawPath(shape);
    QLinearGradient lit(r.topLeft(), r.topRight());
    lit.setColorAt(0, QColor(0, 255, 198, 170));
    lit.setColorAt(0.35, QColor(0, 255, 198, 40));
    lit.setColorAt(1, QColor(0, 255, 198, 0));
    p.setPen(QPen(QBrush(lit), 1.5));
    p.drawLine(QPointF(r.left() + cut, r.top() + 0.75), QPointF(r.right() - 1, r.top() + 0.75));
    p.drawLine(QPointF(r.left() + 0.75, r.top() + cut), QPointF(r.left() + cut, r.top() + 0.75));
    p.restore();
}

void Rule(QPainter& p, qreal x1, qreal x2, qreal y, QColor colour)
{
    QLinearGradient g(QPointF(x1, y), QPointF(x2, y));
    QColor clear = colour;
    clear.setAlpha(0);
    g.setColorAt(0, clear);
    g.setColorAt(0.2, colour);
    g.setColorAt(0.8, colour);
    g.setColorAt(1, clear);
    p.save();
    p.setPen(QPen(QBrush(g), 1));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.restore();
}

void Badge(QPainter& p, QPointF centre, qreal radius, int number, bool lit)
{
    p.save();
    QPainterPath circle;
    circle.addEllipse(centre, radius, radius);
    if (lit) {
        Glow(p, circle, kAccent, 3, 0.5);
        p.fillPath(circle, VGradient(circle.boundingRect(), QColor(90, 255, 220), kAccentDeep));
    } else {
        p.fillPath(circle, QColor(12, 24, 25));
        p.setPen(QPen(kAccent, 1.2));
        p.drawPath(circle);
    }
    const QFont font = MakeFont(Face::SansBold, radius * 1.25);
    const QRectF box(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    Caption(p, box, Qt::AlignHCenter, QString::number(number), font, lit ? QColor(4, 30, 24) : kAccent);
    p.restore();
}

void EmptyTickBox(QPainter& p, QPoint rectTopLeft)
{
    const QRectF box(rectTopLeft.x() + 0.5, rectTopLeft.y() + (kTick.height() - 16) / 2 + 0.5, 15, 15);
    p.save();
    QPainterPath path;
    path.addRoundedRect(box, 3, 3);
    p.fillPath(path, QColor(9, 18, 19));
    p.setPen(QPen(QColor(52, 104, 96), 1));
    p.drawPath(path);
    p.restore();
}

}  // namespace skin
