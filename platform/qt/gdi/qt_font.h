// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Qt font that stands for a font description, for every part of the
// desktop backend that shows text (device-context text, list boxes, edits).

#include <QFont>

#include <thread>

#include "platform/gdi/font.h"

// Face through InstalledFamiliesForFace; a positive height is the cell
// height (ascent plus descent) in pixels, a negative one the character
// height; weight, italic, underline and strike-out as given.
QFont QFontFromLogFont(const LOGFONTW& logFont);

// Text needs a Qt GUI application object. The desktop's application
// creates it at start-up; code that draws earlier (tests, benchmarks) gets
// one created here, for the rest of the process.
void EnsureQtApplication();

// The program's reading of the installed fonts on a thread of their own, the
// slowest part of its first text. It waits for StartReadingFonts: a program
// that stays in the tray draws no text and reads no fonts. Ends, waiting for
// the reading, with the object.
class CFontWarmUp {
public:
    CFontWarmUp();
    ~CFontWarmUp();
    CFontWarmUp(const CFontWarmUp&) = delete;
    CFontWarmUp& operator=(const CFontWarmUp&) = delete;

    void Start();

private:
    std::thread m_thread;
};
