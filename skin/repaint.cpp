// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/repaint.h"

#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "platform/gdi/picture_density.h"
#include "skin/colors.h"
#include "skin/load_png.h"
#include "skin/mem_dc.h"

void DrawSkinLabel(CDC& dc, const SkinLabel& label)
{
    CRect rect = label.box;
    if (label.selectorBox) {
        rect.right -= kSelectorArrowWidth;
    }
    dc.DrawText(label.text, &rect, DT_SINGLELINE | DT_VCENTER | label.align);
}

void RepaintCanvasOnto(HWND owner, CDC* windowDC, const CRect& client, CBitmap* canvas,
    std::u16string_view skinFolder, std::span<const SkinPicture> pictures, CFont* textFont)
{
    if (windowDC == nullptr) {
        return;
    }
    // The memory context's end copies the client area to the window: the one
    // copy of the repaint, made before the window's context goes.
    const bool withCanvas = canvas != nullptr && !canvas->IsNull();
    CMemDC memDC(windowDC, client, withCanvas ? canvas : nullptr);
    if (!withCanvas) {
        return;
    }
    if (textFont != nullptr) {
        memDC.SetBkMode(TRANSPARENT);
        memDC.SelectObject(textFont);
        memDC.SetTextColor(kSkinTextColor);
    }
    std::u16string path(skinFolder);
    for (const SkinPicture& picture : pictures) {
        if (!picture.file.empty()) {
            path.resize(skinFolder.size());
            path += picture.file;
            LoadPng(owner, &memDC, path, picture.topLeft.x, picture.topLeft.y);
        }
        if (picture.label) {
            DrawSkinLabel(memDC, *picture.label);
        }
    }
}

bool SkinPicturesLookReadable(std::u16string_view skinFolder, std::span<const SkinPicture> pictures)
{
    std::u16string path(skinFolder);
    for (const SkinPicture& picture : pictures) {
        if (!picture.file.empty()) {
            path.resize(skinFolder.size());
            path += picture.file;
            if (!PictureHeaderReads(path)) {
                return false;
            }
        }
    }
    return true;
}

void EraseBackgroundWithCanvas(CDC* dc, const CRect& client, CBitmap* canvas)
{
    if (dc == nullptr) {
        return;
    }
    CMemDC memDC(dc, client, canvas);
}
