// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/text_raster.h"

#include <cstring>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/qt/gdi/qt_font.h"

TextMask RasteriseTextLine(const LOGFONTW& font, std::u16string_view text)
{
    const QFont qfont = QFontFromLogFont(font);
    const QFontMetrics metrics(qfont);
    const QString line = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    TextMask mask;
    mask.width = line.isEmpty() ? 0 : metrics.horizontalAdvance(line);
    mask.height = metrics.height();
    if (mask.width <= 0 || mask.height <= 0) {
        mask.width = 0;
        return mask;
    }
    QImage image(mask.width, mask.height, QImage::Format_Alpha8);
    if (image.isNull()) {
        // Too large to allocate: nothing is drawn, as with an empty text.
        mask.width = 0;
        return mask;
    }
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setFont(qfont);
        painter.setPen(Qt::black);
        painter.drawText(0, metrics.ascent(), line);
    }
    mask.coverage.resize(static_cast<std::size_t>(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y) {
        std::memcpy(mask.coverage.data() + static_cast<std::size_t>(y) * mask.width, image.constScanLine(y),
            static_cast<std::size_t>(mask.width));
    }
    return mask;
}
