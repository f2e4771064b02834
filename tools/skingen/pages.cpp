// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages.h"

#include "buttons.h"
#include "captions.h"
#include "frame.h"
#include "mouse.h"
#include "paint.h"
#include "theme.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace skin {
namespace {

QImage Opaque(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// A faint targeting ring behind an illustration.
void Ring(QPainter& p, QPointF centre, qreal radius)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 255, 198, 28), 1));
    p.drawEllipse(centre, radius, radius);
    p.drawEllipse(centre, radius * 0.78, radius * 0.78);
    p.setPen(QPen(QColor(0, 255, 198, 60), 1.5));
    for (int i = 0; i < 72; ++i) {
        const qreal a = i * M_PI / 36;
        const qreal inner = radius - (i % 6 == 0 ? 9 : 4);
        p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * inner,
                   centre + QPointF(std::cos(a), std::sin(a)) * radius);
    }
    QRadialGradient bloom(centre, radius);
    bloom.setColorAt(0, QColor(0, 255, 198, 26));
    bloom.setColorAt(1, QColor(0, 255, 198, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(bloom);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

// Numbered callouts from each button of the mouse to a badge beside it.
void Callouts(QPainter& p, const QRectF& mouseBox)
{
    const QTransform t = MouseTransform(mouseBox);
    const qreal leftX = mouseBox.left() - 4;
    const qreal rightX = mouseBox.right() + 4;
    for (int slot = 0; slot < 6; ++slot) {
        const QPointF anchor = t.map(ButtonAnchor(slot));
        const bool toRight = slot == 1 || slot == 2 || slot == 3;
        const QPointF badge(toRight ? rightX : leftX, anchor.y());
        p.setPen(QPen(QColor(0, 255, 198, 150), 1));
        p.drawLine(anchor, badge + QPointF(toRight ? -9 : 9, 0));
        QPainterPath dot;
        dot.addEllipse(anchor, 2.5, 2.5);
        p.fillPath(dot, kAccent);
        Badge(p, badge, 9, slot + 1, false);
    }
}

void SlotColumn(QPainter& p, Lang lang, int set)
{
    const Captions& c = CaptionsFor(lang);
    const int x = set == 0 ? kSlotLeftX : kSlotRightX;
    const QFont header = CaptionFont(lang, lang == Lang::CHS ? 14 : 12, true, lang == Lang::CHS ? 2 : 1.8);
    Caption(p, QRectF(x - 30, 146, kDropdown.width() + 60, 18), Qt::AlignHCenter, c.keySets[set], header,
            kHeading);
    Rule(p, x - 20, x + kDropdown.width() + 20, 168.5, QColor(0, 255, 198, 140));
    const QFont name = CaptionFont(lang, lang == Lang::CHS ? 12 : 11, false, 0.3);
    for (int slot = 0; slot < 6; ++slot) {
        const int top = kSlotTops[slot];
        Place(p, QPoint(x, top), DropdownBox(Look::Normal));
        Caption(p, QRectF(x + 2, top - 18, kDropdown.width(), 16), Qt::AlignLeft, c.buttonNames[slot], name,
                QColor(170, 210, 202));
        const qreal badgeX = set == 0 ? x - 17 : x + kDropdown.width() + 17;
        Badge(p, QPointF(badgeX, top + kDropdown.height() / 2.0), 9, slot + 1, true);
    }
}

void StageRows(QPainter& p, Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    const qreal lineX = 470.5;
    const qreal first = kStageTops[0] + kDropdown.height() / 2.0;
    const qreal last = kStageTops[3] + kDropdown.height() / 2.0;
    p.fillRect(QRectF(lineX - 0.5, first, 1.5, last - first), QColor(0, 255, 198, 70));
    const QFont stage = CaptionFont(lang, lang == Lang::CHS ? 15 : 13, true, lang == Lang::CHS ? 2 : 1.6);
    const QFont unit = MakeFont(Face::SansBold, 11, 1.5);
    for (int i = 0; i < 4; ++i) {
        const int top = kStageTops[i];
        const qreal mid = top + kDropdown.height() / 2.0;
        QPainterPath node;
        node.addEllipse(QPointF(lineX, mid), 6, 6);
        Glow(p, node, kAccent, 4, 0.4);
        p.fillPath(node, QColor(9, 20, 21));
        p.setPen(QPen(kAccent, 2));
        p.drawPath(node);
        Caption(p, QRectF(340, top, 115, kDropdown.height()), Qt::AlignRight, c.stages[i], stage, kHeading);
        // Stage level: i + 1 of four short bars lit.
        for (int b = 0; b < 4; ++b) {
            p.fillRect(QRectF(425 + b * 8, top + 27, 6, 3), b <= i ? kAccent : kDim);
        }
        Place(p, QPoint(kStageX, top), DropdownBox(Look::Normal));
        Caption(p, QRectF(kStageX + kDropdown.width() + 8, top, 40, kDropdown.height()), Qt::AlignLeft, c.dpiUnit,
                unit, kMuted);
    }
}

void DpiGauge(QPainter& p, Lang lang, QPointF centre)
{
    const Captions& c = CaptionsFor(lang);
    const qreal radius = 118;
    Ring(p, centre, radius + 26);
    p.save();
    const QRectF arcBox(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    p.setPen(QPen(QColor(28, 52, 52), 14, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arcBox, -40 * 16, 260 * 16);
    QConicalGradient sweep(centre, 220);
    sweep.setColorAt(0, QColor(0, 255, 198));
    sweep.setColorAt(0.55, QColor(0, 120, 96));
    sweep.setColorAt(1, QColor(0, 255, 198));
    QPainterPath lit;
    lit.arcMoveTo(arcBox, 220);
    lit.arcTo(arcBox, 220, -190);
    Glow(p, lit, kAccent, 8, 0.35);
    p.setPen(QPen(QBrush(sweep), 14, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(lit);
    // Four stage marks along the arc.
    for (int i = 0; i < 4; ++i) {
        const qreal a = (220 - 190.0 * (i + 1) / 4) * M_PI / 180;
        const QPointF dir(std::cos(a), -std::sin(a));
        p.setPen(QPen(QColor(230, 255, 250), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * (radius - 13), centre + dir * (radius + 13));
    }
    p.restore();
    Caption(p, QRectF(centre.x() - 90, centre.y() - 34, 180, 56), Qt::AlignHCenter, "DPI",
            MakeFont(Face::SansBold, 50, 4), VGradient(QRectF(0, centre.y() - 30, 1, 50), kHeading, kAccent));
    Caption(p, QRectF(centre.x() - 90, centre.y() + 24, 180, 18), Qt::AlignHCenter, "1 \u00B7 2 \u00B7 3 \u00B7 4",
            MakeFont(Face::SansBold, 13, 3), kMuted);
    Caption(p, QRectF(centre.x() - 150, centre.y() + 150, 300, 18), Qt::AlignHCenter, c.dpiNote,
            CaptionFont(lang, 12), kMuted);
}

void TickRow(QPainter& p, QPoint tick, const QString& text, const QFont& font, qreal width)
{
    EmptyTickBox(p, tick);
    Caption(p, QRectF(tick.x() + 24, tick.y(), width, kTick.height()), Qt::AlignLeft, text, font, kHeading);
}

void LevelBars(QPainter& p, QPointF at, int lit)
{
    for (int b = 0; b < 5; ++b) {
        const qreal h = 4 + b * 2.5;
        p.fillRect(QRectF(at.x() + b * 7, at.y() - h, 5, h), b < lit ? kAccent : kDim);
    }
}

void LightingSection(QPainter& p, Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    SectionHeading(p, lang, QPointF(36, 122), c.lighting);
    const QFont group = CaptionFont(lang, lang == Lang::CHS ? 13 : 11, true, lang == Lang::CHS ? 2 : 1.6);
    Caption(p, QRectF(kModeTicks[0].x(), 174, 200, 18), Qt::AlignLeft, c.effect, group, kMuted);
    Caption(p, QRectF(kLevelTicks[0].x(), 174, 200, 18), Qt::AlignLeft, c.level, group, kMuted);
    const QFont row = CaptionFont(lang, lang == Lang::CHS ? 14 : 13, false, 0.3);
    for (int i = 0; i < 5; ++i) {
        TickRow(p, kModeTicks[i], c.modes[i], row, 230);
    }
    const int litBars[3] = {5, 3, 1};
    for (int i = 0; i < 3; ++i) {
        TickRow(p, kLevelTicks[i], c.levels[i], row, 90);
        LevelBars(p, QPointF(kLevelTicks[i].x() + 120, kLevelTicks[i].y() + 20), litBars[i]);
    }
    // Breathing rows share a bracket so the three values read as one mode.
    p.setPen(QPen(QColor(0, 255, 198, 90), 1));
    const qreal bx = kModeTicks[2].x() - 12.5;
    p.drawLine(QPointF(bx + 6, kModeTicks[2].y() + 8), QPointF(bx, kModeTicks[2].y() + 8));
    p.drawLine(QPointF(bx, kModeTicks[2].y() + 8), QPointF(bx, kModeTicks[4].y() + 19));
    p.drawLine(QPointF(bx, kModeTicks[4].y() + 19), QPointF(bx + 6, kModeTicks[4].y() + 19));
}

void LightEmblem(QPainter& p, QPointF centre)
{
    Ring(p, centre, 70);
    QPainterPath halo;
    halo.addEllipse(centre, 34, 34);
    Glow(p, halo, kAccent, 14, 0.7);
    p.setPen(QPen(QColor(200, 255, 242), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(halo);
    QRadialGradient core(centre, 30);
    core.setColorAt(0, QColor(0, 255, 198, 120));
    core.setColorAt(1, QColor(0, 255, 198, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(core);
    p.drawEllipse(centre, 30, 30);
}

void RateSection(QPainter& p, Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    Rule(p, 30, 720, 398.5, QColor(0, 255, 198, 70));
    SectionHeading(p, lang, QPointF(36, 406), c.reportRate);
    const QFont rate = MakeFont(Face::SansBold, 13, 0.6);
    const QFont interval = MakeFont(Face::Sans, 11, 0.4);
    for (int i = 0; i < 4; ++i) {
        const QRect r = kRateTickRect(i);
        EmptyTickBox(p, r.topLeft());
        Caption(p, QRectF(r.left() + 24, r.top(), 80, r.height()), Qt::AlignLeft, c.rates[i], rate, kHeading);
        Caption(p, QRectF(r.left() + 24, r.bottom() + 1, 80, 14), Qt::AlignLeft, c.intervals[i], interval, kMuted);
    }
    Caption(p, QRectF(48, 500, 500, 18), Qt::AlignLeft, c.rateNote, CaptionFont(lang, 12), kMuted);
}

QImage Page(Lang lang, int page)
{
    QImage image = NewImage(kMainSize);
    QPainter p(&image);
    Prepare(p);
    MainFrame(p, lang, page);
    return image;
}

}  // namespace

QImage StartPicture(Lang lang)
{
    QImage image = Page(lang, -1);
    QPainter p(&image);
    Prepare(p);
    const QRectF panel = ContentPanel();
    Ring(p, panel.center() - QPointF(0, 20), 170);
    DrawMouse(p, QRectF(panel.center().x() - 90, panel.top() + 40, 180, 300));
    Caption(p, QRectF(panel.left(), panel.bottom() - 62, panel.width(), 40), Qt::AlignHCenter,
            CaptionsFor(lang).product, MakeFont(Face::SansBold, 30, 8), kHeading);
    return Opaque(image);
}

QImage KeyPage(Lang lang)
{
    QImage image = Page(lang, 0);
    QPainter p(&image);
    Prepare(p);
    const QRectF mouseBox(275, 176, 180, 330);
    Ring(p, mouseBox.center(), 150);
    DrawMouse(p, mouseBox);
    Callouts(p, mouseBox);
    SlotColumn(p, lang, 0);
    SlotColumn(p, lang, 1);
    return Opaque(image);
}

QImage DpiPage(Lang lang)
{
    QImage image = Page(lang, 1);
    QPainter p(&image);
    Prepare(p);
    DpiGauge(p, lang, QPointF(196, 318));
    StageRows(p, lang);
    return Opaque(image);
}

QImage LightPage(Lang lang)
{
    QImage image = Page(lang, 2);
    QPainter p(&image);
    Prepare(p);
    LightEmblem(p, QPointF(655, 262));
    LightingSection(p, lang);
    RateSection(p, lang);
    return Opaque(image);
}

}  // namespace skin
