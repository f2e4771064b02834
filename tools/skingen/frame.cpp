// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame.h"

#include "buttons.h"
#include "captions.h"
#include "icon.h"
#include "paint.h"
#include "theme.h"

#include <QPainter>

namespace skin {

void Place(QPainter& p, QPoint at, const QImage& picture)
{
    p.drawImage(at, picture);
}

QRectF ContentPanel()
{
    return QRectF(12, 106, 728, 452);
}

namespace {

void TitleBar(QPainter& p, Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    Place(p, QPoint(14, 9), AppIcon(28));
    const QFont product = MakeFont(Face::SansBold, 21, 1);
    Caption(p, QRectF(52, 8, 100, 30), Qt::AlignLeft, c.product, product, kHeading);
    const qreal after = 52 + TextWidth(c.product, product) + 14;
    p.fillRect(QRectF(after - 7, 15, 1, 16), kDim);
    Caption(p, QRectF(after, 8, 400, 30), Qt::AlignLeft, c.tagline,
            CaptionFont(lang, lang == Lang::CHS ? 13 : 11, false, lang == Lang::CHS ? 2 : 2.2), kMuted);
    QLinearGradient line(QPointF(0, 0), QPointF(kMainSize.width(), 0));
    line.setColorAt(0, QColor(0, 255, 198, 200));
    line.setColorAt(0.45, QColor(0, 255, 198, 50));
    line.setColorAt(1, QColor(0, 255, 198, 10));
    p.fillRect(QRectF(0, 45, kMainSize.width(), 1), line);
    Place(p, kMinimise.topLeft(), MinimiseButton(Look::Normal));
    Place(p, kClose.topLeft(), CloseButton(Look::Normal));
}

void Tab(QPainter& p, Lang lang, const QRect& rect, const QString& text, bool active)
{
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = Chamfered(r, 9);
    const QFont font = CaptionFont(lang, lang == Lang::CHS ? 15 : 12, true, lang == Lang::CHS ? 2 : 1.6);
    if (active) {
        Glow(p, shape, kAccent, 6, 0.35);
        p.fillPath(shape, VGradient(r, QColor(96, 255, 222), QColor(0, 176, 138)));
        Caption(p, r, Qt::AlignHCenter, text, font, QColor(3, 34, 28));
    } else {
        p.fillPath(shape, VGradient(r, QColor(20, 38, 39), QColor(11, 21, 22)));
        p.setPen(QPen(QColor(0, 255, 198, 70), 1));
        p.drawPath(shape);
        Caption(p, r, Qt::AlignHCenter, text, font, QColor(150, 205, 195));
    }
}

void Tabs(QPainter& p, Lang lang, int page)
{
    const Captions& c = CaptionsFor(lang);
    for (int i = 0; i < 3; ++i) {
        Tab(p, lang, kTabs[i], c.tabs[i], i == page);
    }
    p.fillRect(QRectF(kTabs[0].left(), 95, kTabs[2].right() + 1 - kTabs[0].left(), 1), QColor(0, 255, 198, 60));
    if (page < 0) {
        return;
    }
    Caption(p, QRectF(24, 56, 232, 24), Qt::AlignLeft, c.pageTitles[page],
            CaptionFont(lang, lang == Lang::CHS ? 18 : 16, true, lang == Lang::CHS ? 2 : 1.2), kHeading);
    Caption(p, QRectF(24, 80, 232, 16), Qt::AlignLeft, c.pageSubtitles[page], CaptionFont(lang, 12), kMuted);
}

void BottomBar(QPainter& p, Lang lang, bool withDefault)
{
    const Captions& c = CaptionsFor(lang);
    if (withDefault) {
        Place(p, kDefault.topLeft(), WideButton(lang, c.defaults, Look::Normal, false));
    }
    Place(p, kApply.topLeft(), WideButton(lang, c.apply, Look::Normal, true));
    Place(p, kExit.topLeft(), WideButton(lang, c.exit, Look::Normal, false));
    // The hint sits left of the buttons: a small lit dot and one line.
    QPainterPath dot;
    dot.addEllipse(QPointF(28, 587), 3, 3);
    Glow(p, dot, kAccent, 3, 0.5);
    p.fillPath(dot, kAccent);
    Caption(p, QRectF(38, 572, 300, 30), Qt::AlignLeft, c.applyHint, CaptionFont(lang, 12), kMuted);

    Rule(p, 12, kMainSize.width() - 12, 616.5, QColor(0, 255, 198, 50));
    const QRectF link(kWebLink);
    QPainterPath globe;
    const QPointF centre(link.left() + 9, link.center().y());
    globe.addEllipse(centre, 5.5, 5.5);
    globe.moveTo(centre.x() - 5.5, centre.y());
    globe.lineTo(centre.x() + 5.5, centre.y());
    globe.addEllipse(centre, 2.4, 5.5);
    p.setPen(QPen(QColor(0, 255, 198, 170), 1));
    p.drawPath(globe);
    Caption(p, link.adjusted(20, 0, 0, 0), Qt::AlignLeft, c.webAddress, MakeFont(Face::Sans, 12),
            QColor(140, 230, 212));
}

}  // namespace

void MainFrame(QPainter& p, Lang lang, int page)
{
    const QRectF all(0, 0, kMainSize.width(), kMainSize.height());
    Backdrop(p, all);
    p.setPen(QPen(QColor(0, 255, 198, 60), 1));
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    TitleBar(p, lang);
    Tabs(p, lang, page);
    Panel(p, ContentPanel(), 14);
    BottomBar(p, lang, page == 0);
}

void SectionHeading(QPainter& p, Lang lang, QPointF at, const QString& text)
{
    const QFont font = CaptionFont(lang, lang == Lang::CHS ? 14 : 12, true, lang == Lang::CHS ? 2 : 1.8);
    const qreal width = TextWidth(text, font);
    p.fillRect(QRectF(at.x(), at.y() + 3, 3, 12), kAccent);
    Caption(p, QRectF(at.x() + 10, at.y(), width + 4, 18), Qt::AlignLeft, text, font, kHeading);
    p.fillRect(QRectF(at.x() + 10, at.y() + 21, 28, 1.5), QColor(0, 255, 198, 150));
}

}  // namespace skin
