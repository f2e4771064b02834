// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/gdi/qt_font.h"

#include <cmath>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include "platform/gdi/font_faces.h"

namespace {

QFont::StyleHint StyleHintFor(BYTE pitchAndFamily)
{
    if ((pitchAndFamily & 0x03) == FIXED_PITCH) {
        return QFont::Monospace;
    }
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN:
        return QFont::Serif;
    case FF_MODERN:
        return QFont::TypeWriter;
    case FF_SWISS:
        return QFont::SansSerif;
    default:
        return QFont::AnyStyle;
    }
}

}  // namespace

void EnsureQtApplication()
{
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "KX-507";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

QFont QFontFromLogFont(const LOGFONTW& logFont)
{
    EnsureQtApplication();
    const std::u16string_view face(logFont.lfFaceName);
    QStringList families;
    for (const std::string& family : InstalledFamiliesForFace(face, logFont.lfCharSet, logFont.lfPitchAndFamily)) {
        families << QString::fromStdString(family);
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(StyleHintFor(logFont.lfPitchAndFamily));
    font.setFixedPitch((logFont.lfPitchAndFamily & 0x03) == FIXED_PITCH);
    const int weight = logFont.lfWeight <= 0 ? FW_NORMAL : std::min<int>(logFont.lfWeight, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);

    const int height = logFont.lfHeight == 0 ? 16 : std::abs(logFont.lfHeight);
    font.setPixelSize(height);
    if (logFont.lfHeight > 0) {
        // A cell height: shrink the em so that ascent plus descent fill it.
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0) {
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
        }
    }
    return font;
}

namespace {

// The run's warm-up, on the GUI thread's side only.
CFontWarmUp* g_fontWarmUp = nullptr;

}  // namespace

CFontWarmUp::CFontWarmUp()
{
    g_fontWarmUp = this;
}

// The font database fills itself once, under its own lock, on whichever
// thread asks first: asking here moves that work off the first text's path.
void CFontWarmUp::Start()
{
    if (!m_thread.joinable()) {
        m_thread = std::thread([] { QFontDatabase::families(); });
    }
}

CFontWarmUp::~CFontWarmUp()
{
    if (g_fontWarmUp == this) {
        g_fontWarmUp = nullptr;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void StartReadingFonts()
{
    if (g_fontWarmUp != nullptr) {
        g_fontWarmUp->Start();
    }
}
