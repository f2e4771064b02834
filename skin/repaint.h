// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared repaint of skinned windows: pictures (and the labels of
// selector boxes) are painted into the window's canvas through a CMemDC,
// then the whole client area is copied to the window.

#include <optional>
#include <span>
#include <string_view>

#include "platform/gdi/dc.h"
#include "platform/geometry.h"
#include "platform/windef.h"

class CBitmap;
class CFont;

// A selector box's current text, drawn after the box's picture; or any other
// text of a skinned window, drawn in its own rectangle.
struct SkinLabel {
    CRect box;                  // the whole box; the arrow strip is left out
    std::u16string_view text;   // must stay valid for the call
    UINT align = DT_LEFT;       // DT_LEFT, DT_CENTER or DT_RIGHT
    bool selectorBox = true;    // false: the whole rectangle holds the text
};

// A text of its own in a rectangle, one vertically centred line.
inline SkinLabel PlainText(const CRect& rect, std::u16string_view text, UINT align)
{
    return SkinLabel{rect, text, align, false};
}

struct SkinPicture {
    std::u16string_view file;   // skin file name such as u"/Save-over.png"; empty: the label alone
    CPoint topLeft;
    std::optional<SkinLabel> label;
};

// A text drawn straight onto what the canvas shows, without a picture under
// it (the pages' labels over the boxes their page picture carries).
inline SkinPicture LabelOnly(const SkinLabel& label)
{
    return SkinPicture{{}, label.box.TopLeft(), label};
}

// The right-hand strip of a selector box that holds its arrow.
inline constexpr int kSelectorArrowWidth = 28;

// Draws label as one vertically centred line in its box, minus the arrow
// strip when it is a selector box's.
void DrawSkinLabel(CDC& dc, const SkinLabel& label);

// Paints pictures in order into canvas and copies the client area to
// windowDC. textFont, when given, is selected with the skin text colour and
// a transparent background before anything is painted. Without a canvas
// nothing is painted and the memory context's fresh bitmap is copied.
void RepaintCanvasOnto(HWND owner, CDC* windowDC, const CRect& client, CBitmap* canvas,
    std::u16string_view skinFolder, std::span<const SkinPicture> pictures, CFont* textFont);

// Background erasing: the canvas, when there is one, copied to the client
// area of dc through a CMemDC over client.
void EraseBackgroundWithCanvas(CDC* dc, const CRect& client, CBitmap* canvas);

// Whether every picture file of the repaint is there and starts as a PNG, read
// without decoding: one that is not would fail to load and say so.
bool SkinPicturesLookReadable(std::u16string_view skinFolder, std::span<const SkinPicture> pictures);

// The repaint for a window: its client rectangle and device context, released
// when done. Window is the framework's window class.
template <class Window>
void RepaintCanvas(Window& window, CBitmap* canvas, std::u16string_view skinFolder,
    std::span<const SkinPicture> pictures, CFont* textFont)
{
    CRect client;
    window.GetClientRect(&client);
    CDC* dc = window.GetDC();
    RepaintCanvasOnto(window.GetSafeHwnd(), dc, client, canvas, skinFolder, pictures, textFont);
    window.ReleaseDC(dc);
}
