// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QString>
#include <QStringList>

namespace skin {

// What a dialog background says about itself: its title, the caption of its
// box and a few lines of explanation beside it.
struct DialogCaptions {
    QString title;
    QString boxCaption;
    QStringList about;
};

// Every caption the pictures of one skin folder carry. None of them repeats or
// contradicts a text the program draws itself: the program draws the labels of
// the boxes, the dialog prompts and help lines, and nothing else.
struct Captions {
    QString product;
    QString tagline;
    QString tabs[3];
    QString pageTitles[3];
    QString pageSubtitles[3];
    QString applyHint;
    QString webAddress;

    QString apply, exit, defaults, ok, back;

    QString keySets[2];
    QString buttonNames[6];

    QString stages[4];
    QString dpiUnit;
    QString dpiNote;

    QString lighting, effect, level, reportRate;
    QString modes[5];
    QString levels[3];
    QString rates[4];
    QString intervals[4];
    QString rateNote;

    DialogCaptions fire, single, hot, media, windows, snipe;
    QString recoverTitle;
    QStringList recoverQuestion;
};

const Captions& CaptionsFor(Lang lang);

}  // namespace skin
