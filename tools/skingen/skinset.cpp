// SPDX-License-Identifier: GPL-3.0-or-later
#include "skinset.h"

#include "buttons.h"
#include "captions.h"
#include "dialogs.h"
#include "pages.h"
#include "theme.h"

namespace skin {
namespace {

Picture Canvas(const char* name, std::function<QImage(Lang)> draw)
{
    return {name, Use::Canvas, QSize(), QSize(), std::move(draw)};
}

// A caption button pair: "-normal" and "-over" of one caption.
void CaptionPair(std::vector<Picture>& out, const char* stem, QString Captions::*caption, bool primary)
{
    for (Look look : {Look::Normal, Look::Over}) {
        const QString name = QString("/%1-%2.png").arg(stem, look == Look::Normal ? "normal" : "over");
        out.push_back({name, Use::Blended, kWideButton, QSize(), [caption, look, primary](Lang lang) {
                           return WideButton(lang, CaptionsFor(lang).*caption, look, primary);
                       }});
    }
}

void PlainPair(std::vector<Picture>& out, const char* stem, QSize size, QImage (*draw)(Look))
{
    for (Look look : {Look::Normal, Look::Over}) {
        const QString name = QString("/%1-%2.png").arg(stem, look == Look::Normal ? "normal" : "over");
        out.push_back({name, Use::Blended, size, QSize(), [draw, look](Lang) { return draw(look); }});
    }
}

Picture Dialog(const char* name, DialogKind kind)
{
    return Canvas(name, [kind](Lang lang) { return DialogPicture(lang, kind); });
}

std::vector<Picture> MakePictures()
{
    std::vector<Picture> all{
        Canvas("/main.png", StartPicture),
        Canvas("/KeySet.png", KeyPage),
        Canvas("/DPISet.png", DpiPage),
        Canvas("/LEDSet.png", LightPage),
        {"/PaneMakingTick.png", Use::Blended, QSize(), kTick, [](Lang) { return Tick(); }},
    };
    PlainPair(all, "DropdownBox", kDropdown, DropdownBox);
    PlainPair(all, "Min", kSquareButton, MinimiseButton);
    PlainPair(all, "Close", kSquareButton, CloseButton);
    CaptionPair(all, "Save", &Captions::apply, true);
    CaptionPair(all, "Exit", &Captions::exit, false);
    CaptionPair(all, "Default", &Captions::defaults, false);
    CaptionPair(all, "Ok", &Captions::ok, true);
    CaptionPair(all, "Return", &Captions::back, false);
    all.push_back(Dialog("/fire-key.png", DialogKind::Fire));
    all.push_back(Dialog("/single-key.png", DialogKind::Single));
    all.push_back(Dialog("/hot-key.png", DialogKind::Hot));
    all.push_back(Dialog("/media-key.png", DialogKind::Media));
    all.push_back(Dialog("/windows-key.png", DialogKind::Windows));
    all.push_back(Dialog("/snipe-key.png", DialogKind::Snipe));
    all.push_back(Canvas("/Keys-recover.png", RecoverPicture));
    return all;
}

void OnEveryPage(std::vector<Placement>& out, const QString& picture, QRect rect)
{
    for (const char* page : {"/main.png", "/KeySet.png", "/DPISet.png", "/LEDSet.png"}) {
        out.push_back({picture, page, rect});
    }
}

void OnListDialogs(std::vector<Placement>& out, const QString& picture, QRect rect)
{
    for (const char* dialog : {"/fire-key.png", "/single-key.png", "/hot-key.png", "/media-key.png",
                               "/windows-key.png", "/snipe-key.png"}) {
        out.push_back({picture, dialog, rect});
    }
}

std::vector<Placement> MakePlacements()
{
    std::vector<Placement> all;
    for (const char* state : {"normal", "over"}) {
        const QString s = state;
        OnEveryPage(all, "/Save-" + s + ".png", kApply);
        OnEveryPage(all, "/Exit-" + s + ".png", kExit);
        OnEveryPage(all, "/Min-" + s + ".png", kMinimise);
        OnEveryPage(all, "/Close-" + s + ".png", kClose);
        all.push_back({"/Default-" + s + ".png", "/KeySet.png", kDefault});
        for (int top : kSlotTops) {
            all.push_back({"/DropdownBox-" + s + ".png", "/KeySet.png", QRect(QPoint(kSlotLeftX, top), kDropdown)});
            all.push_back({"/DropdownBox-" + s + ".png", "/KeySet.png", QRect(QPoint(kSlotRightX, top), kDropdown)});
        }
        for (int top : kStageTops) {
            all.push_back({"/DropdownBox-" + s + ".png", "/DPISet.png", QRect(QPoint(kStageX, top), kDropdown)});
        }
        OnListDialogs(all, "/Save-" + s + ".png", kDlgSave);
        OnListDialogs(all, "/Exit-" + s + ".png", kDlgExit);
        OnListDialogs(all, "/Close-" + s + ".png", kDlgClose);
        all.push_back({"/Ok-" + s + ".png", "/Keys-recover.png", kRecoverOk});
        all.push_back({"/Return-" + s + ".png", "/Keys-recover.png", kRecoverReturn});
        all.push_back({"/Close-" + s + ".png", "/Keys-recover.png", kRecoverClose});
    }
    for (const char* dialog : {"/single-key.png", "/hot-key.png", "/media-key.png", "/windows-key.png",
                               "/snipe-key.png"}) {
        all.push_back({"/DropdownBox-normal.png", dialog, kDlgBox});
    }
    all.push_back({"/DropdownBox-normal.png", "/fire-key.png", kFireBox});
    for (int i = 0; i < 4; ++i) {
        all.push_back({"/PaneMakingTick.png", "/LEDSet.png", kRateTickRect(i)});
    }
    for (QPoint at : kModeTicks) {
        all.push_back({"/PaneMakingTick.png", "/LEDSet.png", QRect(at, QSize(16, 27))});
    }
    for (QPoint at : kLevelTicks) {
        all.push_back({"/PaneMakingTick.png", "/LEDSet.png", QRect(at, QSize(26, 27))});
    }
    for (int i = 0; i < 3; ++i) {
        OnEveryPage(all, "", kTabs[i]);
    }
    OnEveryPage(all, "", kWebLink);
    all.push_back({"", "/fire-key.png", kFireHelp.intersected(QRect(QPoint(0, 0), kDialogSize))});
    all.push_back({"", "/single-key.png", kSinglePrompt});
    return all;
}

}  // namespace

const std::vector<Picture>& Pictures()
{
    static const std::vector<Picture> all = MakePictures();
    return all;
}

const std::vector<Placement>& Placements()
{
    static const std::vector<Placement> all = MakePlacements();
    return all;
}

QString IconFileName(int size)
{
    return QString("kx-507-%1.png").arg(size);
}

}  // namespace skin
