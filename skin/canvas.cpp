// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/canvas.h"

#include "platform/gdi/image.h"

std::unique_ptr<CBitmap> LoadCanvas(std::u16string_view path, UINT dpi)
{
    CImage image;
    image.Load(path, dpi);
    if (image.IsNull()) {
        return nullptr;
    }
    auto canvas = std::make_unique<CBitmap>(image.Detach(dpi));
    if (canvas->IsNull()) {
        return nullptr;
    }
    return canvas;
}
