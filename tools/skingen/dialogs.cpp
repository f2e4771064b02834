// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include "buttons.h"
#include "captions.h"
#include "frame.h"
#include "glyphs.h"
#include "paint.h"
#include "theme.h"

#include <QPainter>

namespace skin {
namespace {

const DialogCaptions& TextsOf(const Captions& c, DialogKind kind)
{
    switch (kind) {
    case DialogKind::Fire: return c.fire;
    case DialogKind::Single: return c.single;
    case DialogKind::Hot: return c.hot;
    case DialogKind::Media: return c.media;
    case DialogKind::Windows: return c.windows;
    case DialogKind::Snipe: return c.snipe;
    }
    return c.hot;
}

// Backdrop, border and title bar shared by every dialog picture.
void DialogFrame(QPainter& p, Lang lang, QSize size, const QString& title, QPoint close)
{
    const QRectF all(0, 0, size.width(), size.height());
    Backdrop(p, all);
    p.setPen(QPen(QColor(0, 255, 198, 90), 1));
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    p.fillRect(QRectF(12, 11, 4, 14), kAccent);
    Caption(p, QRectF(24, 4, 300, 28), Qt::AlignLeft, title,
            CaptionFont(lang, lang == Lang::CHS ? 16 : 14, true, lang == Lang::CHS ? 3 : 2), kHeading);
    QLinearGradient line(QPointF(0, 0), QPointF(size.width(), 0));
    line.setColorAt(0, QColor(0, 255, 198, 190));
    line.setColorAt(1, QColor(0, 255, 198, 20));
    p.fillRect(QRectF(0, 35, size.width(), 1), line);
    Place(p, close, CloseButton(Look::Normal));
}

// The side panel: the dialog's symbol and a few lines about it.
void AboutPanel(QPainter& p, Lang lang, const QRectF& r, DialogKind kind, const QStringList& lines)
{
    Panel(p, r, 10);
    DialogGlyph(p, kind, QPointF(r.center().x(), r.top() + 52), 58);
    const QFont font = CaptionFont(lang, 12);
    qreal y = r.top() + 100;
    for (const QString& line : lines) {
        Caption(p, QRectF(r.left() + 8, y, r.width() - 16, 18), Qt::AlignHCenter, line, font, kMuted);
        y += 18;
    }
}

void SaveAndExit(QPainter& p, Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    Place(p, kDlgSave.topLeft(), WideButton(lang, c.apply, Look::Normal, true));
    Place(p, kDlgExit.topLeft(), WideButton(lang, c.exit, Look::Normal, false));
}

// The fire key dialog's own layout: key box with its caption, three wells
// for the number edits, and a calm band where the help lines are drawn.
void FireLayout(QPainter& p, Lang lang, const DialogCaptions& texts)
{
    Caption(p, QRectF(kFireLabels[0].left(), kFireBox.top(), kFireLabels[0].width(), kFireBox.height()),
            Qt::AlignRight, texts.boxCaption, CaptionFont(lang, lang == Lang::CHS ? 13 : 14), kAccent);
    Place(p, kFireBox.topLeft(), DropdownBox(Look::Normal));
    for (const QRect& edit : kFireEdits) {
        const QRectF well(kFireBox.left() + 0.5, edit.top() - 2.5, kDropdown.width() - 1, edit.height() + 5);
        QPainterPath shape;
        shape.addRoundedRect(well, 4, 4);
        p.fillPath(shape, kListBack);
        p.setPen(QPen(QColor(0, 255, 198, 80), 1));
        p.drawPath(shape);
    }
    p.fillRect(QRectF(1, kFireHelp.top() - 1, kDialogSize.width() - 2, 40), QColor(0, 0, 0, 70));
    Rule(p, 8, kDialogSize.width() - 8, kFireHelp.top() - 1.5, QColor(0, 255, 198, 50));
}

void ListLayout(QPainter& p, Lang lang, const DialogCaptions& texts)
{
    if (!texts.boxCaption.isEmpty()) {
        Caption(p, QRectF(kDlgBox.left(), kDlgBox.top() - 24, 150, 20), Qt::AlignLeft, texts.boxCaption,
                CaptionFont(lang, lang == Lang::CHS ? 13 : 13, true, 0.6), kHeading);
    }
    Place(p, kDlgBox.topLeft(), DropdownBox(Look::Normal));
}

}  // namespace

QImage DialogPicture(Lang lang, DialogKind kind)
{
    const DialogCaptions& texts = TextsOf(CaptionsFor(lang), kind);
    QImage image = NewImage(kDialogSize);
    QPainter p(&image);
    Prepare(p);
    DialogFrame(p, lang, kDialogSize, texts.title, kDlgClose.topLeft());
    if (kind == DialogKind::Fire) {
        FireLayout(p, lang, texts);
        AboutPanel(p, lang, QRectF(240, 50, 148, 156), kind, texts.about);
    } else {
        ListLayout(p, lang, texts);
        AboutPanel(p, lang, QRectF(216, 50, 170, 190), kind, texts.about);
    }
    SaveAndExit(p, lang);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage RecoverPicture(Lang lang)
{
    const Captions& c = CaptionsFor(lang);
    QImage image = NewImage(kRecoverSize);
    QPainter p(&image);
    Prepare(p);
    DialogFrame(p, lang, kRecoverSize, c.recoverTitle, kRecoverClose.topLeft());
    RestoreGlyph(p, QPointF(kRecoverSize.width() / 2.0, 62), 36);
    qreal y = 86;
    for (int i = 0; i < c.recoverQuestion.size(); ++i) {
        const QFont font = i == 0 ? CaptionFont(lang, 14, true) : CaptionFont(lang, 12);
        Caption(p, QRectF(12, y, kRecoverSize.width() - 24, 18), Qt::AlignHCenter, c.recoverQuestion[i], font,
                i == 0 ? kHeading : kMuted);
        y += i == 0 ? 22 : 17;
    }
    Place(p, kRecoverOk.topLeft(), WideButton(lang, c.ok, Look::Normal, true));
    Place(p, kRecoverReturn.topLeft(), WideButton(lang, c.back, Look::Normal, false));
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace skin
