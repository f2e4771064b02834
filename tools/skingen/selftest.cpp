// SPDX-License-Identifier: GPL-3.0-or-later
#include "selftest.h"

#include "fonts.h"
#include "output.h"
#include "paint.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>

#include <functional>
#include <stdexcept>

namespace skin {
namespace {

struct Damage {
    const char* what;
    const char* expected;  // a piece of the problem line the checker must print
    std::function<void(const QDir&)> apply;
};

void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target)) {
            throw std::runtime_error("cannot copy " + source.toStdString());
        }
    }
}

void Replace(const QDir& root, const char* file, QSize size, bool withAlpha)
{
    QImage image = NewImage(size);
    image.fill(QColor(0, 255, 198, withAlpha ? 128 : 255));
    SavePicture(image, withAlpha, root.filePath(file));
}

void Truncate(const QDir& root, const char* file)
{
    QFile f(root.filePath(file));
    if (!f.open(QIODevice::ReadWrite) || !f.resize(100)) {
        throw std::runtime_error("cannot truncate " + f.fileName().toStdString());
    }
}

const std::vector<Damage>& Damages()
{
    static const std::vector<Damage> all{
        {"missing file", "Skins/CHS/Ok-over.png: missing",
         [](const QDir& d) { QFile::remove(d.filePath("Skins/CHS/Ok-over.png")); }},
        {"button without alpha", "Skins/EN/Save-normal.png: a blended picture needs real transparency",
         [](const QDir& d) { Replace(d, "Skins/EN/Save-normal.png", QSize(116, 30), false); }},
        {"button with only solid alpha", "Skins/EN/Exit-over.png: a blended picture needs real transparency",
         [](const QDir& d) {
             QImage solid = NewImage(QSize(116, 30));
             solid.fill(QColor(0, 255, 198));
             SavePicture(solid, true, d.filePath("Skins/EN/Exit-over.png"));
         }},
        {"box of the wrong size", "Skins/EN/DropdownBox-over.png: 120 x 29 instead of 128 x 29",
         [](const QDir& d) { Replace(d, "Skins/EN/DropdownBox-over.png", QSize(120, 29), true); }},
        {"corrupt page", "Skins/EN/KeySet.png: does not decode",
         [](const QDir& d) { Truncate(d, "Skins/EN/KeySet.png"); }},
        {"page smaller than the window", "Skins/CHS/DPISet.png: 752 x 600 is smaller",
         [](const QDir& d) { Replace(d, "Skins/CHS/DPISet.png", QSize(752, 600), false); }},
        {"page of another size", "Skins/CHS/LEDSet.png: not the size of /main.png",
         [](const QDir& d) { Replace(d, "Skins/CHS/LEDSet.png", QSize(800, 700), false); }},
        {"canvas with alpha", "Skins/EN/hot-key.png: a canvas must be opaque",
         [](const QDir& d) { Replace(d, "Skins/EN/hot-key.png", QSize(400, 300), true); }},
        {"tick too wide for the lighting rectangle", "Skins/EN/PaneMakingTick.png: 20 x 27 does not fit 16 x 27",
         [](const QDir& d) { Replace(d, "Skins/EN/PaneMakingTick.png", QSize(20, 27), true); }},
        {"small dialog", "Skins/EN/Keys-recover.png: 300 x 150 is smaller",
         [](const QDir& d) { Replace(d, "Skins/EN/Keys-recover.png", QSize(300, 150), false); }},
        {"languages of different sizes", "/Keys-recover.png: EN and CHS sizes differ",
         [](const QDir& d) { Replace(d, "Skins/EN/Keys-recover.png", QSize(320, 220), false); }},
        {"normal picture leaving a rim of the hovered one",
         "Skins/CHS/Min-normal.png: does not cover /Min-over.png",
         [](const QDir& d) {
             QImage dot = NewImage(QSize(31, 31));
             QPainter(&dot).fillRect(QRect(12, 12, 7, 7), Qt::white);
             SavePicture(dot, true, d.filePath("Skins/CHS/Min-normal.png"));
         }},
        {"page with another page's tab marked", "Skins/EN/DPISet.png: its own tab is not the marked one",
         [](const QDir& d) {
             QFile::remove(d.filePath("Skins/EN/DPISet.png"));
             QFile::copy(d.filePath("Skins/EN/KeySet.png"), d.filePath("Skins/EN/DPISet.png"));
         }},
        {"box too bright for the labels", "Skins/CHS/DropdownBox-over.png: too bright for the labels",
         [](const QDir& d) {
             QImage light = NewImage(QSize(128, 29));
             QPainter(&light).fillRect(QRect(1, 1, 126, 27), QColor(200, 230, 225));
             SavePicture(light, true, d.filePath("Skins/CHS/DropdownBox-over.png"));
         }},
        {"help lines over a bright band", "Skins/EN/fire-key.png: too bright for the labels at (16, 217)",
         [](const QDir& d) {
             QImage dialog(d.filePath("Skins/EN/fire-key.png"), "png");
             QPainter(&dialog).fillRect(QRect(0, 215, 400, 45), QColor(160, 200, 190));
             SavePicture(dialog, false, d.filePath("Skins/EN/fire-key.png"));
         }},
        {"double-density picture missing", "Skins/CHS/Save-over@2x.png: missing",
         [](const QDir& d) { QFile::remove(d.filePath("Skins/CHS/Save-over@2x.png")); }},
        {"double-density picture of the single size", "Skins/EN/Close-normal@2x.png: 31 x 31 instead of twice",
         [](const QDir& d) {
             QFile::remove(d.filePath("Skins/EN/Close-normal@2x.png"));
             QFile::copy(d.filePath("Skins/EN/Close-normal.png"), d.filePath("Skins/EN/Close-normal@2x.png"));
         }},
        {"double-density picture off its shape",
         "pixels solid or clear unlike the single density",
         [](const QDir& d) {
             const QImage one(d.filePath("Skins/EN/DropdownBox-over.png"), "png");
             const QImage shifted = one.copy(QRect(QPoint(-4, -4), one.size())).scaled(one.size() * 2);
             SavePicture(shifted, true, d.filePath("Skins/EN/DropdownBox-over@2x.png"));
         }},
        {"icon missing", "icons/kx-507-22.png: missing",
         [](const QDir& d) { QFile::remove(d.filePath("icons/kx-507-22.png")); }},
    };
    return all;
}

// A caption that cannot fit its place, or that its font cannot show, must
// stop the generator rather than ship cut off or as empty boxes.
bool CaptionIsRefused(const QString& text, const QFont& font)
{
    QImage image = NewImage(QSize(40, 20));
    QPainter p(&image);
    try {
        Caption(p, QRectF(0, 0, 40, 20), Qt::AlignLeft, text, font, Qt::white);
    } catch (const std::runtime_error&) {
        return true;
    }
    return false;
}

}  // namespace

QStringList SelfTest(const QString& workDir)
{
    QStringList failures;
    // Copies refuse to overwrite, so start from an empty folder every run.
    QDir(workDir).removeRecursively();
    const QString good = QDir(workDir).filePath("good");
    WriteAll(good);
    const QStringList clean = Verify(good);
    if (!clean.isEmpty()) {
        failures << "fresh output reported: " + clean.join("; ");
    }
    int n = 0;
    for (const Damage& damage : Damages()) {
        const QString copy = QDir(workDir).filePath(QString("damage-%1").arg(++n));
        CopyTree(good, copy);
        damage.apply(QDir(copy));
        const QStringList problems = Verify(copy);
        if (!problems.join('\n').contains(damage.expected)) {
            failures << QString("%1: expected \"%2\", got: %3").arg(damage.what, damage.expected, problems.join("; "));
        }
    }
    if (!CaptionIsRefused("far too long a caption", MakeFont(Face::Sans, 12))) {
        failures << "a caption wider than its place was drawn";
    }
    if (!CaptionIsRefused(QString::fromUtf8("键"), MakeFont(Face::Sans, 12))) {
        failures << "a caption with a character its font lacks was drawn";
    }
    return failures;
}

}  // namespace skin
