// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace skin {

inline const char* FolderOf(Lang lang) { return lang == Lang::CHS ? "Skins/CHS" : "Skins/EN"; }

// The name of a picture's twice-as-dense copy: "/main.png" -> "/main@2x.png".
QString DoubleDensityName(const QString& name);

// Draws every picture of both skin folders and the icons and writes them
// under `outDir` (Skins/EN, Skins/CHS, icons). Throws on any failure.
void WriteAll(const QString& outDir);

// Writes one picture as PNG: blended pictures with straight alpha, canvases
// opaque. Throws when the file cannot be written.
void SavePicture(const QImage& image, bool withAlpha, const QString& path);

// Checks a written output folder the way the program will use it; returns
// one line per problem, empty when everything is in order.
QStringList Verify(const QString& outDir);

}  // namespace skin
