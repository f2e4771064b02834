// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace skin {
namespace {

struct FaceFile {
    Face face;
    const char* path;
    const char* family;
    int weight;
};

// Paths as the fonts-liberation2, fonts-noto-cjk and fonts-dejavu-core
// packages install them.
constexpr std::array kFaceFiles{
    FaceFile{Face::Sans, "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "Liberation Sans",
             QFont::Normal},
    FaceFile{Face::SansBold, "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "Liberation Sans",
             QFont::Bold},
    FaceFile{Face::Cjk, "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", "Noto Sans CJK SC",
             QFont::Normal},
    FaceFile{Face::CjkBold, "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc", "Noto Sans CJK SC",
             QFont::Bold},
    FaceFile{Face::Label, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "DejaVu Sans", QFont::Bold},
};

const FaceFile& FileOf(Face face)
{
    for (const FaceFile& f : kFaceFiles) {
        if (f.face == face) {
            return f;
        }
    }
    throw std::logic_error("unknown face");
}

}  // namespace

void LoadFonts()
{
    for (const FaceFile& f : kFaceFiles) {
        const QString path = QString::fromLatin1(f.path);
        if (!QFileInfo::exists(path)) {
            throw std::runtime_error("font file missing: " + path.toStdString() +
                                     " (run scripts/install-deps.sh)");
        }
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(QString::fromLatin1(f.family))) {
            throw std::runtime_error("font file unreadable or without family " + std::string(f.family) + ": " +
                                     path.toStdString());
        }
    }
    // A request that lands on another family means the loaded file is not
    // the one drawn with; refuse rather than produce different artwork.
    for (const FaceFile& f : kFaceFiles) {
        const QFontInfo info(MakeFont(f.face, 12));
        if (info.family() != QString::fromLatin1(f.family)) {
            throw std::runtime_error("font family " + std::string(f.family) + " resolves to " +
                                     info.family().toStdString());
        }
    }
}

QFont MakeFont(Face face, qreal pixelSize, qreal letterSpacing)
{
    const FaceFile& f = FileOf(face);
    QFont font(QString::fromLatin1(f.family));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(f.weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    font.setKerning(true);
    if (letterSpacing != 0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    }
    return font;
}

QFont CaptionFont(Lang lang, qreal pixelSize, bool bold, qreal letterSpacing)
{
    if (lang == Lang::CHS) {
        return MakeFont(bold ? Face::CjkBold : Face::Cjk, pixelSize, letterSpacing);
    }
    return MakeFont(bold ? Face::SansBold : Face::Sans, pixelSize, letterSpacing);
}

}  // namespace skin
