// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace skin {

// One review picture of every written picture of both folders and the icons,
// each with its name, read back from `outDir`.
QImage ContactSheet(const QString& outDir);

// Pages and dialogs composed from the written pictures as the program
// composes them: boxes with their labels, a hovered button, the ticks.
// Writes skins-preview-EN.png and skins-preview-CHS.png into `intoDir`.
void WritePreviews(const QString& outDir, const QString& intoDir);

}  // namespace skin
