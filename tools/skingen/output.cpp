// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include "icon.h"
#include "paint.h"
#include "pngwriter.h"
#include "skinset.h"
#include "theme.h"

#include <QDir>

#include <stdexcept>

namespace skin {

QString DoubleDensityName(const QString& name)
{
    return name.chopped(4) + "@2x.png";
}

void SavePicture(const QImage& image, bool withAlpha, const QString& path)
{
    WritePicture(image, withAlpha, path);
}

void WriteAll(const QString& outDir)
{
    const QDir root(outDir);
    for (Lang lang : {Lang::EN, Lang::CHS}) {
        const QString folder = root.filePath(FolderOf(lang));
        if (!QDir().mkpath(folder)) {
            throw std::runtime_error("cannot create " + folder.toStdString());
        }
        for (const Picture& picture : Pictures()) {
            SavePicture(picture.draw(lang), picture.use == Use::Blended, folder + picture.name);
        }
        // The same pictures drawn again from their shapes and captions at twice
        // the density, for screens at 150 % and 200 %; not an enlargement.
        const DrawScale twice(2);
        for (const Picture& picture : Pictures()) {
            SavePicture(picture.draw(lang), picture.use == Use::Blended, folder + DoubleDensityName(picture.name));
        }
    }
    const QString icons = root.filePath("icons");
    if (!QDir().mkpath(icons)) {
        throw std::runtime_error("cannot create " + icons.toStdString());
    }
    for (int size : kIconSizes) {
        SavePicture(AppIcon(size), true, QDir(icons).filePath(IconFileName(size)));
    }
}

}  // namespace skin
