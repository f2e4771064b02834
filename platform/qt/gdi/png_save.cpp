// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture_file.h"

#include <QImage>
#include <QString>

#include "platform/gdi/bitmap.h"

bool SaveBitmapAsPng(const CBitmap& bitmap, std::u16string_view path)
{
    if (bitmap.IsNull()) {
        return false;
    }
    const QImage view(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Pitch(), QImage::Format_ARGB32);
    return view.save(QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size())), "PNG");
}
