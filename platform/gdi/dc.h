// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A device context over a 32-bit BGRA bitmap. A window's context draws
// straight into the window's surface; a memory context draws into whatever
// bitmap is selected into it. Pixel work is done here in plain C++; only
// glyph rendering and smooth resampling are handed to the desktop backend.
//
// Callers always speak client pixels. The context places them on the pixels
// of its bitmap at the bitmap's density: at 96 dpi one for one, above it
// scaled, with text laid out at the higher density and pictures of another
// density resampled smoothly.

#include <memory>
#include <string_view>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#include "platform/gdi/pixel_ops.h"
#include "platform/geometry.h"
#include "platform/windef.h"

inline constexpr DWORD SRCCOPY = 0x00CC0020;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;

inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_CALCRECT = 0x0400;

inline constexpr BYTE AC_SRC_OVER = 0x00;
inline constexpr BYTE AC_SRC_ALPHA = 0x01;

struct TextMask;

struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};

class CDC {
public:
    CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // A context that draws into surface, which must outlive it. Used for
    // window surfaces: selecting another bitmap into it is refused.
    static std::unique_ptr<CDC> ForSurface(CBitmap& surface);

    // Turns this object into a memory context with a 1 x 1 stock bitmap
    // selected. reference may be null (the screen).
    BOOL CreateCompatibleDC(CDC* reference);
    BOOL DeleteDC();
    bool IsNull() const { return m_kind == Kind::None; }
    bool IsMemoryDC() const { return m_kind == Kind::Memory; }
    // There are no printers on this desktop.
    BOOL IsPrinting() const { return FALSE; }

    // Select into a memory context; each returns what was selected before,
    // or null when the selection is refused.
    CBitmap* SelectObject(CBitmap* bitmap);
    CFont* SelectObject(CFont* font);
    CBitmap* GetCurrentBitmap() const { return m_bitmap; }
    CFont* GetCurrentFont() const { return m_font; }
    // The density of the selected bitmap (96: one pixel per client pixel).
    UINT GetDpi() const;

    // The logical point shown at device (0, 0); returns the previous origin.
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const { return m_origin; }

    // The drawable area in logical coordinates; returns SIMPLEREGION, or
    // NULLREGION (and an empty rectangle) when nothing can be drawn.
    int GetClipBox(CRect* rect) const;
    // Narrows drawing to rect (logical coordinates).
    int IntersectClipRect(const CRect& rect);
    // Back to the whole selected bitmap.
    void ResetClip();

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int widthSrc,
        int heightSrc, DWORD rop);
    // Source-over blending; with AC_SRC_ALPHA the source is premultiplied.
    BOOL AlphaBlend(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int widthSrc,
        int heightSrc, BLENDFUNCTION blend);
    // The same from raw pixels that belong to no context (a loaded picture):
    // the source rectangle is in the pixels' own units, the destination in
    // client pixels.
    BOOL StretchBlt(int x, int y, int width, int height, const ConstPixelView& source, int xSrc, int ySrc,
        int widthSrc, int heightSrc, DWORD rop);
    BOOL AlphaBlend(int x, int y, int width, int height, const ConstPixelView& source, int xSrc, int ySrc,
        int widthSrc, int heightSrc, BLENDFUNCTION blend);

    void FillSolidRect(const CRect& rect, COLORREF color);
    void FillRect(const CRect& rect, const CBrush* brush);
    COLORREF GetPixel(int x, int y) const;

    // Single-line text in the selected font and text colour, aligned in
    // rect and clipped to it unless DT_NOCLIP is given. Returns the text
    // height, 0 on failure. With DT_CALCRECT rect receives the text's size
    // and nothing is drawn. Sizes are client pixels, measured as at 96 dpi,
    // so that no layout depends on the screen's density.
    int DrawText(std::u16string_view text, CRect* rect, UINT format);

private:
    enum class Kind { None, Surface, Memory };

    CRect DeviceClip() const;
    CRect ToDevice(const CRect& logical) const;
    CRect ToLogical(const CRect& device) const;
    int DeviceX(int x) const;
    int DeviceY(int y) const;
    bool HasPixels() const { return m_bitmap != nullptr && !m_bitmap->IsNull(); }
    PixelView View() const;
    ConstPixelView SourceView() const;
    BOOL Transfer(const CRect& dst, const ConstPixelView& source, const CRect& src, PixelBlend mode);
    void PaintMask(const TextMask& mask, int x, int y, const CRect& clip);
    // area in device pixels, already clipped.
    void FillDeviceRect(const CRect& area, COLORREF color);

    Kind m_kind = Kind::None;
    CBitmap* m_bitmap = nullptr;
    std::unique_ptr<CBitmap> m_stockBitmap;
    CFont* m_font = nullptr;
    std::unique_ptr<CFont> m_stockFont;
    CPoint m_origin;
    CRect m_clip;  // device coordinates; empty means the whole bitmap
    bool m_clipSet = false;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
};
