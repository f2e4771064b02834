// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include "looks.h"
#include "skinset.h"
#include "theme.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace skin {
namespace {

QString Describe(QSize s)
{
    return QString("%1 x %2").arg(s.width()).arg(s.height());
}

// Whether the picture has both see-through and solid pixels: an alpha
// channel that is all 255 would blend as a square.
bool HasRealTransparency(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bool clear = false;
    bool solid = false;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(argb.pixel(x, y));
            clear = clear || a < 255;
            solid = solid || a == 255;
        }
    }
    return clear && solid;
}

// The program restores a hovered button by painting "-normal" over "-over"
// without clearing; any pixel the hovered picture touches that the normal
// one does not fully cover would stay behind as a rim.
bool NormalCoversOver(const QImage& normal, const QImage& over)
{
    if (normal.size() != over.size()) {
        return false;
    }
    const QImage n = normal.convertToFormat(QImage::Format_ARGB32);
    const QImage o = over.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < o.height(); ++y) {
        for (int x = 0; x < o.width(); ++x) {
            if (qAlpha(o.pixel(x, y)) > 0 && qAlpha(n.pixel(x, y)) < 255) {
                return false;
            }
        }
    }
    return true;
}

void CheckPairs(const QHash<QString, QImage>& images, const QString& folder, QStringList& problems)
{
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        if (!it.key().endsWith("-over.png")) {
            continue;
        }
        const QString normal = QString(it.key()).replace("-over.png", "-normal.png");
        if (images.contains(normal) && !NormalCoversOver(images[normal], it.value())) {
            problems << folder + normal + ": does not cover " + it.key() + " when painted over it";
        }
    }
}

QSize MinimumCanvas(const QString& name)
{
    if (name == "/Keys-recover.png") {
        return kRecoverSize;
    }
    if (name.endsWith("-key.png")) {
        return kDialogSize;
    }
    return kMainSize;
}

void CheckPicture(const Picture& picture, const QImage& image, const QString& where, QStringList& problems)
{
    const QSize size = image.size();
    if (picture.use == Use::Canvas) {
        if (image.hasAlphaChannel()) {
            problems << where + ": a canvas must be opaque";
        }
        const QSize least = MinimumCanvas(picture.name);
        if (size.width() < least.width() || size.height() < least.height()) {
            problems << where + ": " + Describe(size) + " is smaller than the window's " + Describe(least);
        }
        return;
    }
    if (!image.hasAlphaChannel() || !HasRealTransparency(image)) {
        problems << where + ": a blended picture needs real transparency";
    }
    if (picture.exact.isValid() && size != picture.exact) {
        problems << where + ": " + Describe(size) + " instead of " + Describe(picture.exact);
    }
    if (picture.atMost.isValid() &&
        (size.width() > picture.atMost.width() || size.height() > picture.atMost.height() || size.isEmpty())) {
        problems << where + ": " + Describe(size) + " does not fit " + Describe(picture.atMost);
    }
}

// How far a 2 x 2 block's mean alpha may stray from its one pixel at the
// single density: shapes land on the same places, only their antialiased rims
// differ (a diagonal rim can leave a pixel clear that its finer block just
// touches).
constexpr int kBlockAlphaSlack = 64;

int BlockAlpha(const QImage& two, int x, int y)
{
    return (qAlpha(two.pixel(2 * x, 2 * y)) + qAlpha(two.pixel(2 * x + 1, 2 * y)) + qAlpha(two.pixel(2 * x, 2 * y + 1)) +
            qAlpha(two.pixel(2 * x + 1, 2 * y + 1))) /
           4;
}

// The picture at twice the density covers the same ground: where the single
// one is solid its 2 x 2 blocks are solid, where it is clear they are clear.
void CheckDoubleDensity(const QImage& one, const QString& path, const QString& where, QStringList& problems)
{
    QImageReader reader(path, "png");
    const QImage read = reader.read();
    if (read.isNull()) {
        problems << where + (QFileInfo::exists(path) ? ": does not decode (" + reader.errorString() + ")" : ": missing");
        return;
    }
    if (read.size() != one.size() * 2) {
        problems << where + ": " + Describe(read.size()) + " instead of twice " + Describe(one.size());
        return;
    }
    const QImage a = one.convertToFormat(QImage::Format_ARGB32);
    const QImage b = read.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const int single = qAlpha(a.pixel(x, y));
            const int block = BlockAlpha(b, x, y);
            if ((single == 255 && block < 255 - kBlockAlphaSlack) || (single == 0 && block > kBlockAlphaSlack)) {
                first = differing++ == 0 ? QPoint(x, y) : first;
            }
        }
    }
    if (differing > 0) {
        problems << where + QString(": %1 pixels solid or clear unlike the single density, first at (%2, %3)")
                                .arg(differing)
                                .arg(first.x())
                                .arg(first.y());
    }
}

void CheckPlacements(const QHash<QString, QSize>& sizes, const QString& folder, QStringList& problems)
{
    for (const Placement& place : Placements()) {
        if (!sizes.contains(place.window) || (!place.picture.isEmpty() && !sizes.contains(place.picture))) {
            continue;
        }
        const QSize canvas = sizes[place.window];
        const QSize drawn = place.picture.isEmpty() ? place.rect.size() : sizes[place.picture];
        const QRect area(place.rect.topLeft(), drawn);
        if (!QRect(QPoint(0, 0), canvas).contains(area)) {
            problems << folder + place.window + ": " + (place.picture.isEmpty() ? "hit area" : place.picture) +
                            QString(" at (%1, %2) leaves the picture").arg(area.left()).arg(area.top());
        }
    }
    const QSize page = sizes.value("/main.png");
    for (const char* name : {"/KeySet.png", "/DPISet.png", "/LEDSet.png"}) {
        if (sizes.contains(name) && sizes[name] != page) {
            problems << folder + name + ": not the size of /main.png";
        }
    }
}

QHash<QString, QSize> CheckFolder(const QString& dir, const QString& folder, QStringList& problems)
{
    QHash<QString, QSize> sizes;
    QHash<QString, QImage> blended;
    QHash<QString, QImage> all;
    for (const Picture& picture : Pictures()) {
        const QString where = folder + picture.name;
        if (!QFileInfo::exists(dir + picture.name)) {
            problems << where + ": missing";
            continue;
        }
        QImageReader reader(dir + picture.name, "png");
        const QImage image = reader.read();
        if (image.isNull()) {
            problems << where + ": does not decode (" + reader.errorString() + ")";
            continue;
        }
        CheckPicture(picture, image, where, problems);
        CheckDoubleDensity(image, dir + DoubleDensityName(picture.name), folder + DoubleDensityName(picture.name),
                           problems);
        sizes.insert(picture.name, image.size());
        all.insert(picture.name, image);
        if (picture.use == Use::Blended) {
            blended.insert(picture.name, image);
        }
    }
    CheckPairs(blended, folder, problems);
    CheckLooks(all, folder, problems);
    CheckPlacements(sizes, folder, problems);
    return sizes;
}

void CheckIcons(const QString& dir, QStringList& problems)
{
    for (int size : kIconSizes) {
        const QString path = QDir(dir).filePath(IconFileName(size));
        const QImage image(path, "png");
        if (image.isNull()) {
            problems << "icons/" + IconFileName(size) + ": missing or does not decode";
        } else if (image.size() != QSize(size, size) || !HasRealTransparency(image)) {
            problems << "icons/" + IconFileName(size) + ": wrong size or no transparency";
        }
    }
}

}  // namespace

QStringList Verify(const QString& outDir)
{
    QStringList problems;
    const QDir root(outDir);
    const QHash<QString, QSize> en = CheckFolder(root.filePath(FolderOf(Lang::EN)), FolderOf(Lang::EN), problems);
    const QHash<QString, QSize> chs =
        CheckFolder(root.filePath(FolderOf(Lang::CHS)), FolderOf(Lang::CHS), problems);
    for (auto it = en.cbegin(); it != en.cend(); ++it) {
        if (chs.contains(it.key()) && chs[it.key()] != it.value()) {
            problems << it.key() + ": EN and CHS sizes differ";
        }
    }
    CheckIcons(root.filePath("icons"), problems);
    return problems;
}

}  // namespace skin
