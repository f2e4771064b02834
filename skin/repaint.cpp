#include "skin/repaint.h"

#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "skin/colors.h"
#include "skin/loadpng.h"
#include "skin/memdc.h"

void DrawSkinLabel(CDC& dc, const SkinLabel& label)
{
    CRect rect = label.box;
    rect.right -= kSelectorArrowWidth;
    dc.DrawText(label.text, &rect, DT_SINGLELINE | DT_VCENTER | label.align);
}

void RepaintCanvasOnto(HWND owner, CDC* windowDC, const CRect& client, CBitmap* canvas,
    std::u16string_view skinFolder, std::span<const SkinPicture> pictures, CFont* textFont)
{
    if (windowDC == nullptr) {
        return;
    }
    {
        CMemDC memDC(windowDC, client);
        if (canvas != nullptr && !canvas->IsNull()) {
            memDC.SelectObject(canvas);
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
        windowDC->BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
    }
}

void EraseBackgroundWithCanvas(CDC* dc, const CRect& client, CBitmap* canvas)
{
    if (dc == nullptr) {
        return;
    }
    CMemDC memDC(dc, client);
    if (canvas != nullptr && !canvas->IsNull()) {
        memDC.SelectObject(canvas);
    }
}
