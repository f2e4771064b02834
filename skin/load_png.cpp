// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/load_png.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/image.h"
#include "platform/msg_box.h"
#include "platform/winuser.h"

void PremultiplyAlpha(CImage& image)
{
    // A 32-bit picture without an alpha channel is opaque: every decoder
    // gives it alpha 255 (DecodedPicture::Format::Opaque32), which leaves
    // each pixel as it is, so its pixels need not be walked at all.
    if (image.IsNull() || image.GetBPP() != 32 || !image.HasAlphaChannel()) {
        return;
    }
    for (int y = 0; y < image.GetHeight(); ++y) {
        std::uint8_t* p = image.GetPixelAddress(0, y);
        for (int x = 0; x < image.GetWidth(); ++x, p += 4) {
            const unsigned a = p[3];
            // Opaque pixels, all of an opaque picture, keep their colour: c * 255 / 255 is c.
            if (a == 255) {
                continue;
            }
            p[0] = static_cast<std::uint8_t>(p[0] * a / 255);
            p[1] = static_cast<std::uint8_t>(p[1] * a / 255);
            p[2] = static_cast<std::uint8_t>(p[2] * a / 255);
        }
    }
}

int LoadPng(HWND owner, CDC* target, std::u16string_view path, int x, int y)
{
    if (target == nullptr) {
        return 0;
    }
    // The picture at the target's density: its twice-as-dense copy on a
    // screen above 100 % where there is one, else the picture itself.
    CImage image;
    image.Load(path, target->GetDpi());
    if (image.IsNull()) {
        MessageBoxW(owner, u"LoadPng---Load image failed.", nullptr, MB_OK);
        return 0;
    }
    PremultiplyAlpha(image);
    if (image.HasAlphaChannel()) {
        image.AlphaBlend(target, x, y, 255);
    } else {
        image.StretchBlt(target, x, y, image.GetLogicalWidth(), image.GetLogicalHeight(), SRCCOPY);
    }
    return 1;
}
