// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace skin {

// A transparent picture ready to paint on, with a fixed resolution so the
// written file does not depend on the screen of the machine. `size` is in the
// pictures' own pixels; while a DrawScale is in force the image holds that
// many device pixels per pixel, and painters draw on it in the same
// coordinates, so every shape and caption comes out at the higher density.
QImage NewImage(QSize size);

// Draws every picture made while it lives at `scale` device pixels per
// picture pixel (2 for the NAME@2x.png files).
class DrawScale {
public:
    explicit DrawScale(qreal scale);
    DrawScale(const DrawScale&) = delete;
    DrawScale& operator=(const DrawScale&) = delete;
    ~DrawScale();

private:
    qreal m_previous;
};

// A painter with antialiasing on for every shape and outline.
void Prepare(QPainter& p);

// Draws one line of text as glyph outlines in the rectangle, aligned as asked
// and vertically centred on its cap height. Throws when the text is wider than
// the rectangle or has a character the font lacks, so such a caption stops
// the build instead of shipping cut off or as empty boxes.
void Caption(QPainter& p, const QRectF& box, Qt::Alignment align, const QString& text, const QFont& font,
             const QBrush& brush);

// Width of a line of text in the font.
qreal TextWidth(const QString& text, const QFont& font);

// A rectangle with its top-left and bottom-right corners cut at 45 degrees.
QPainterPath Chamfered(const QRectF& r, qreal cut);

// A soft glow around a shape, built from widening translucent outlines.
void Glow(QPainter& p, const QPainterPath& shape, QColor colour, qreal radius, qreal strength);

// Vertical linear gradient over the rectangle.
QBrush VGradient(const QRectF& r, QColor top, QColor bottom);

// The window background: dark gradient and a faint diagonal texture.
void Backdrop(QPainter& p, const QRectF& r);

// A raised panel with a hairline edge and a lit top border.
void Panel(QPainter& p, const QRectF& r, qreal cut = 10);

// A thin horizontal rule that fades out at both ends.
void Rule(QPainter& p, qreal x1, qreal x2, qreal y, QColor colour);

// A small round badge with a number, as used for the mouse buttons.
void Badge(QPainter& p, QPointF centre, qreal radius, int number, bool lit);

// The empty check box the tick picture lands on.
void EmptyTickBox(QPainter& p, QPoint rectTopLeft);

}  // namespace skin
