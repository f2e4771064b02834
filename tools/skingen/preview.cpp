// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"

#include "captions.h"
#include "fonts.h"
#include "output.h"
#include "paint.h"
#include "theme.h"

#include <QDir>
#include <QPainter>

#include <stdexcept>

namespace skin {
namespace {

// Texts the program draws, as it would draw them, for the previews only.
struct ProgramTexts {
    QStringList slotLabels;
    QStringList fireLabels;
    QStringList fireHelp;
    QString hotEntry;
    QString prompt;
};

ProgramTexts TextsFor(Lang lang)
{
    if (lang == Lang::CHS) {
        return {{"左键", "右键", "中键", "DPI切换", "前进方向键", "后退方向键", "火力键-L-Button", "多媒体-下一首",
                 "Shift", "快捷键", "狙击-800", "按键关闭"},
                {"次数", "按下时间", "弹起时间"},
                {"时间(数值范围5-255)", "次数(数值范围0-127，0表示按键放开火力键结束)"},
                "复制",
                "请输入一个按键"};
    }
    return {{"Left Click", "Right Click", "Mid Click", "DPI Switch", "Forward", "Backward", "Fire Key-L-Button",
             "Multimedia-Next", "Shift", "Copy", "Snipe Key-800", "Key Off"},
            {"Times", "Make Time", "Break Time"},
            {"Time (value range 5-255)", "Times (value range 0-127,0 indicates fire key to end when the key released)"},
            "Copy",
            "Please enter a key"};
}

class Composer {
public:
    Composer(const QString& outDir, Lang lang) : m_dir(QDir(outDir).filePath(FolderOf(lang))), m_lang(lang) {}

    QImage Canvas(const QString& name) const { return Read(name).convertToFormat(QImage::Format_RGB32); }
    void Draw(QPainter& p, const QString& name, QPoint at) const { p.drawImage(at, Read(name)); }

    // A label the way the program draws one: a single line, vertically
    // centred, clipped to the box without its arrow strip.
    void Label(QPainter& p, QRect box, const QString& text, bool centred) const
    {
        const QFont font = m_lang == Lang::CHS ? MakeFont(Face::CjkBold, 13) : MakeFont(Face::Label, 12);
        Text(p, box.adjusted(0, 0, -kDropdownArrow, 0), text, font, centred ? Qt::AlignCenter : Qt::AlignVCenter);
    }

    void DialogText(QPainter& p, QRect box, const QString& text, Qt::Alignment align) const
    {
        const QFont font = m_lang == Lang::CHS ? MakeFont(Face::Cjk, 12) : MakeFont(Face::Sans, 14);
        Text(p, box, text, font, align);
    }

private:
    QImage Read(const QString& name) const
    {
        QImage image(m_dir + name, "png");
        if (image.isNull()) {
            throw std::runtime_error("cannot read " + (m_dir + name).toStdString());
        }
        return image;
    }

    static void Text(QPainter& p, QRect box, const QString& text, const QFont& font, Qt::Alignment align)
    {
        p.save();
        p.setClipRect(box);
        p.setFont(font);
        p.setPen(kText);
        p.drawText(box, static_cast<int>(align | Qt::TextSingleLine), text);
        p.restore();
    }

    QString m_dir;
    Lang m_lang;
};

QImage KeyPreview(const Composer& c, const ProgramTexts& t)
{
    QImage page = c.Canvas("/KeySet.png");
    QPainter p(&page);
    for (int set = 0; set < 2; ++set) {
        for (int slot = 0; slot < 6; ++slot) {
            const QRect box(QPoint(set == 0 ? kSlotLeftX : kSlotRightX, kSlotTops[slot]), kDropdown);
            const bool over = set == 1 && slot == 1;
            c.Draw(p, over ? "/DropdownBox-over.png" : "/DropdownBox-normal.png", box.topLeft());
            c.Label(p, box, t.slotLabels[set * 6 + slot], false);
        }
    }
    c.Draw(p, "/Save-over.png", kApply.topLeft());
    return page;
}

QImage DpiPreview(const Composer& c)
{
    QImage page = c.Canvas("/DPISet.png");
    QPainter p(&page);
    const char* values[4] = {"800", "1600", "2400", "3200"};
    for (int i = 0; i < 4; ++i) {
        const QRect box(QPoint(kStageX, kStageTops[i]), kDropdown);
        c.Draw(p, i == 1 ? "/DropdownBox-over.png" : "/DropdownBox-normal.png", box.topLeft());
        c.Label(p, box, values[i], true);
    }
    c.Draw(p, "/Exit-over.png", kExit.topLeft());
    return page;
}

QImage LightPreview(const Composer& c)
{
    QImage page = c.Canvas("/LEDSet.png");
    QPainter p(&page);
    for (QPoint at : {kRateTickRect(0).topLeft(), kModeTicks[1], kLevelTicks[1]}) {
        c.Draw(p, "/PaneMakingTick.png", at);
    }
    c.Draw(p, "/Close-over.png", kClose.topLeft());
    c.Draw(p, "/Min-over.png", kMinimise.topLeft());
    return page;
}

QImage FirePreview(const Composer& c, const ProgramTexts& t)
{
    QImage dialog = c.Canvas("/fire-key.png");
    QPainter p(&dialog);
    c.DialogText(p, kFireBox.adjusted(0, 0, -kDropdownArrow, 0), "L-Button", Qt::AlignCenter);
    const char* values[3] = {"1", "5", "5"};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(kFireEdits[i], kListBack);
        c.DialogText(p, kFireEdits[i], values[i], Qt::AlignCenter);
        c.DialogText(p, kFireLabels[i], t.fireLabels[i], Qt::AlignRight | Qt::AlignVCenter);
    }
    c.DialogText(p, QRect(16, 217, 440, 26), t.fireHelp[0], Qt::AlignLeft | Qt::AlignVCenter);
    c.DialogText(p, QRect(16, 233, 440, 26), t.fireHelp[1], Qt::AlignLeft | Qt::AlignVCenter);
    return dialog;
}

QImage ListPreview(const Composer& c, const ProgramTexts& t)
{
    QImage dialog = c.Canvas("/hot-key.png");
    QPainter p(&dialog);
    c.Draw(p, "/Save-normal.png", kDlgSave.topLeft());
    c.Draw(p, "/Exit-over.png", kDlgExit.topLeft());
    c.DialogText(p, kDlgBox.adjusted(0, 0, -kDropdownArrow, 0), t.hotEntry, Qt::AlignCenter);
    return dialog;
}

QImage SinglePreview(const Composer& c, const ProgramTexts& t)
{
    QImage dialog = c.Canvas("/single-key.png");
    QPainter p(&dialog);
    c.DialogText(p, kSinglePrompt, t.prompt, Qt::AlignCenter);
    c.Draw(p, "/DropdownBox-normal.png", kDlgBox.topLeft());
    c.DialogText(p, kDlgBox, "Enter", Qt::AlignCenter);
    c.Draw(p, "/Save-over.png", kDlgSave.topLeft());
    return dialog;
}

QImage RecoverPreview(const Composer& c)
{
    QImage dialog = c.Canvas("/Keys-recover.png");
    QPainter p(&dialog);
    c.Draw(p, "/Return-over.png", kRecoverReturn.topLeft());
    return dialog;
}

}  // namespace

void WritePreviews(const QString& outDir, const QString& intoDir)
{
    for (Lang lang : {Lang::EN, Lang::CHS}) {
        const Composer c(outDir, lang);
        const ProgramTexts t = TextsFor(lang);
        const int gap = 12;
        QImage sheet = NewImage(QSize(kMainSize.width() * 2 + gap * 3, kMainSize.height() * 2 + 300 + gap * 4));
        sheet.fill(QColor(40, 40, 40));
        QPainter p(&sheet);
        p.drawImage(gap, gap, KeyPreview(c, t));
        p.drawImage(gap * 2 + kMainSize.width(), gap, DpiPreview(c));
        p.drawImage(gap, gap * 2 + kMainSize.height(), LightPreview(c));
        const int row = gap * 3 + kMainSize.height() * 2;
        p.drawImage(gap, row, FirePreview(c, t));
        p.drawImage(gap * 2 + 400, row, ListPreview(c, t));
        p.drawImage(gap * 3 + 800, row, SinglePreview(c, t));
        p.drawImage(gap * 2 + kMainSize.width(), gap * 2 + kMainSize.height(), RecoverPreview(c));
        p.end();
        SavePicture(sheet, false, QDir(intoDir).filePath(QString("skins-preview-%1.png").arg(lang == Lang::CHS ? "CHS" : "EN")));
    }
}

}  // namespace skin
