// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/pixel_scale.h"

#include <cstring>

#include <QImage>

std::vector<std::uint8_t> ResamplePixels(const ConstPixelView& src, const CRect& srcRect, int width, int height,
    PixelAlpha alpha)
{
    const CRect inside = IntersectRects(srcRect, CRect(0, 0, src.width, src.height));
    if (width <= 0 || height <= 0 || src.top == nullptr || inside != srcRect || inside.IsRectEmpty()) {
        return {};
    }
    // Format_(A)RGB32 is blue, green, red, alpha in memory, as the views are.
    const QImage::Format format =
        alpha == PixelAlpha::Premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32;
    QImage part(inside.Width(), inside.Height(), format);
    if (part.isNull()) {
        return {};
    }
    for (int y = 0; y < inside.Height(); ++y) {
        std::memcpy(part.scanLine(y), src.Row(inside.top + y) + inside.left * 4, static_cast<std::size_t>(inside.Width()) * 4);
    }
    const QImage scaled = part.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(format);
    if (scaled.isNull()) {
        return {};
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        std::memcpy(out.data() + static_cast<std::size_t>(y) * width * 4, scaled.constScanLine(y),
            static_cast<std::size_t>(width) * 4);
    }
    return out;
}
