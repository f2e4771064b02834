// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PNG writer of every picture the generator writes: the encoding is
// chosen for the program's decoder (see EncodingFor), the pixels are exactly
// the image's (ARGB32 with straight alpha for blended pictures, RGB32 for
// opaque ones).

#include <QByteArray>
#include <QImage>
#include <QString>

namespace skin {

// The PNG file of image; throws when it cannot be encoded.
QByteArray EncodePicture(const QImage& image, bool withAlpha);

// Writes EncodePicture's file at path; throws when it cannot.
void WritePicture(const QImage& image, bool withAlpha, const QString& path);

}  // namespace skin
