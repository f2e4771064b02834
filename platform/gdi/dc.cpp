// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/dc.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/pixel_scale.h"
#include "platform/gdi/text_raster.h"

namespace {

// What a context draws text in before a font is selected.
LOGFONTW StockFont()
{
    LOGFONTW lf;
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    return lf;
}

// The font as it is rasterised on a bitmap at dpi.
LOGFONTW FontForDpi(LOGFONTW font, UINT dpi)
{
    font.lfHeight = ScaleForDpi(font.lfHeight, dpi);
    font.lfWidth = ScaleForDpi(font.lfWidth, dpi);
    return font;
}

std::uint8_t Mix(std::uint8_t d, std::uint8_t c, std::uint8_t coverage)
{
    return static_cast<std::uint8_t>((d * (255u - coverage) + c * coverage + 127u) / 255u);
}

}  // namespace

CDC::CDC() = default;

CDC::~CDC() = default;

std::unique_ptr<CDC> CDC::ForSurface(CBitmap& surface)
{
    auto dc = std::make_unique<CDC>();
    dc->m_kind = Kind::Surface;
    dc->m_bitmap = &surface;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* reference)
{
    if (m_kind != Kind::None) {
        return FALSE;
    }
    m_stockBitmap = std::make_unique<CBitmap>();
    m_stockBitmap->CreateBitmapForDpi(1, 1, reference != nullptr ? reference->GetDpi() : USER_DEFAULT_SCREEN_DPI);
    m_bitmap = m_stockBitmap.get();
    m_kind = Kind::Memory;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_kind == Kind::None) {
        return FALSE;
    }
    m_kind = Kind::None;
    m_bitmap = nullptr;
    m_stockBitmap.reset();
    m_font = nullptr;
    m_clipSet = false;
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (m_kind != Kind::Memory || bitmap == nullptr) {
        return nullptr;
    }
    CBitmap* previous = m_bitmap;
    m_bitmap = bitmap;
    m_clipSet = false;  // the clip region follows the new bitmap
    return previous;
}

CFont* CDC::SelectObject(CFont* font)
{
    if (m_kind == Kind::None || font == nullptr) {
        return nullptr;
    }
    CFont* previous = m_font;
    m_font = font;
    if (previous == nullptr) {
        if (!m_stockFont) {
            m_stockFont = std::make_unique<CFont>();
            const LOGFONTW lf = StockFont();
            m_stockFont->CreateFontIndirect(&lf);
        }
        previous = m_stockFont.get();
    }
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint previous = m_origin;
    m_origin = CPoint(x, y);
    return previous;
}

UINT CDC::GetDpi() const
{
    return m_bitmap != nullptr ? m_bitmap->Dpi() : USER_DEFAULT_SCREEN_DPI;
}

// Each edge is scaled on its own, and the origin with it, so that a rectangle
// has the same device size wherever the origin puts it.
int CDC::DeviceX(int x) const
{
    return ScaleForDpi(x, GetDpi()) - ScaleForDpi(m_origin.x, GetDpi());
}

int CDC::DeviceY(int y) const
{
    return ScaleForDpi(y, GetDpi()) - ScaleForDpi(m_origin.y, GetDpi());
}

CRect CDC::ToDevice(const CRect& logical) const
{
    return CRect(DeviceX(logical.left), DeviceY(logical.top), DeviceX(logical.right), DeviceY(logical.bottom));
}

CRect CDC::ToLogical(const CRect& device) const
{
    const UINT dpi = GetDpi();
    const int ox = ScaleForDpi(m_origin.x, dpi);
    const int oy = ScaleForDpi(m_origin.y, dpi);
    return CRect(UnscaleForDpi(device.left + ox, dpi, false), UnscaleForDpi(device.top + oy, dpi, false),
        UnscaleForDpi(device.right + ox, dpi, true), UnscaleForDpi(device.bottom + oy, dpi, true));
}

CRect CDC::DeviceClip() const
{
    if (!HasPixels()) {
        return CRect();
    }
    const CRect bounds(0, 0, m_bitmap->Width(), m_bitmap->Height());
    return m_clipSet ? IntersectRects(bounds, m_clip) : bounds;
}

int CDC::GetClipBox(CRect* rect) const
{
    const CRect clip = DeviceClip();
    if (clip.IsRectEmpty()) {
        if (rect != nullptr) {
            *rect = CRect();
        }
        return NULLREGION;
    }
    if (rect != nullptr) {
        *rect = ToLogical(clip);
    }
    return SIMPLEREGION;
}

int CDC::IntersectClipRect(const CRect& rect)
{
    m_clip = IntersectRects(DeviceClip(), ToDevice(rect));
    m_clipSet = true;
    return m_clip.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

void CDC::ResetClip()
{
    m_clipSet = false;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return std::exchange(m_bkColor, color);
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(m_bkMode, mode);
}

PixelView CDC::View() const
{
    return PixelView{m_bitmap->Bits(), m_bitmap->Pitch(), m_bitmap->Width(), m_bitmap->Height()};
}

ConstPixelView CDC::SourceView() const
{
    if (!HasPixels()) {
        return ConstPixelView{};
    }
    return ConstPixelView{m_bitmap->Bits(), m_bitmap->Pitch(), m_bitmap->Width(), m_bitmap->Height()};
}

BOOL CDC::Transfer(const CRect& dst, const ConstPixelView& source, const CRect& src, PixelBlend mode)
{
    if (!HasPixels() || source.top == nullptr || dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0
        || src.Height() <= 0) {
        return FALSE;
    }
    const CRect device = ToDevice(dst);
    const bool sameSize = device.Width() == src.Width() && device.Height() == src.Height();
    if (sameSize || GetDpi() == USER_DEFAULT_SCREEN_DPI) {
        // One for one, or a stretch asked for at client density: nearest pixel.
        TransferPixels(View(), device, DeviceClip(), source, src, mode);
        return TRUE;
    }
    // A source of another density (a picture at 1x or 2x on a bitmap at
    // 150 % or 200 %): resampled smoothly to the pixels it covers here.
    const PixelAlpha alpha = mode.perPixelAlpha ? PixelAlpha::Premultiplied : PixelAlpha::Straight;
    const std::vector<std::uint8_t> pixels = ResamplePixels(source, src, device.Width(), device.Height(), alpha);
    if (pixels.empty()) {
        return FALSE;
    }
    const ConstPixelView resampled{pixels.data(), device.Width() * 4, device.Width(), device.Height()};
    TransferPixels(View(), device, DeviceClip(), resampled, CRect(0, 0, device.Width(), device.Height()), mode);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int widthSrc,
    int heightSrc, DWORD rop)
{
    if (source == nullptr) {
        return FALSE;
    }
    const CRect src = source->ToDevice(CRect(xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc));
    return StretchBlt(x, y, width, height, source->SourceView(), src.left, src.top, src.Width(), src.Height(), rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, const ConstPixelView& source, int xSrc, int ySrc,
    int widthSrc, int heightSrc, DWORD rop)
{
    if (rop != SRCCOPY) {
        return FALSE;
    }
    return Transfer(CRect(x, y, x + width, y + height), source,
        CRect(xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc), PixelBlend{});
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int widthSrc,
    int heightSrc, BLENDFUNCTION blend)
{
    if (source == nullptr) {
        return FALSE;
    }
    const CRect src = source->ToDevice(CRect(xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc));
    return AlphaBlend(x, y, width, height, source->SourceView(), src.left, src.top, src.Width(), src.Height(), blend);
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, const ConstPixelView& source, int xSrc, int ySrc,
    int widthSrc, int heightSrc, BLENDFUNCTION blend)
{
    if (blend.BlendOp != AC_SRC_OVER) {
        return FALSE;
    }
    // The source rectangle must lie inside the source, as the blend refuses
    // to read outside it.
    if (xSrc < 0 || ySrc < 0 || xSrc + widthSrc > source.width || ySrc + heightSrc > source.height) {
        return FALSE;
    }
    const PixelBlend mode{true, (blend.AlphaFormat & AC_SRC_ALPHA) != 0, blend.SourceConstantAlpha};
    return Transfer(CRect(x, y, x + width, y + height), source,
        CRect(xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc), mode);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    if (!HasPixels()) {
        return;
    }
    FillDeviceRect(IntersectRects(ToDevice(rect), DeviceClip()), color);
}

void CDC::FillDeviceRect(const CRect& area, COLORREF color)
{
    const PixelView view = View();
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* p = view.Row(y) + area.left * 4;
        for (int x = area.left; x < area.right; ++x, p += 4) {
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
            p[3] = 255;
        }
    }
}

void CDC::FillRect(const CRect& rect, const CBrush* brush)
{
    if (brush != nullptr && !brush->IsNull()) {
        FillSolidRect(rect, brush->GetColor());
    }
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const CRect clip = DeviceClip();
    const CPoint p(DeviceX(x), DeviceY(y));
    if (!clip.PtInRect(p)) {
        return 0xFFFFFFFF;  // CLR_INVALID
    }
    const std::uint8_t* px = m_bitmap->PixelAt(p.x, p.y);
    return RGB(px[2], px[1], px[0]);
}

void CDC::PaintMask(const TextMask& mask, int x, int y, const CRect& clip)
{
    const CRect area = IntersectRects(CRect(x, y, x + mask.width, y + mask.height), clip);
    const PixelView view = View();
    const std::uint8_t b = GetBValue(m_textColor);
    const std::uint8_t g = GetGValue(m_textColor);
    const std::uint8_t r = GetRValue(m_textColor);
    for (int row = area.top; row < area.bottom; ++row) {
        const std::uint8_t* cov = mask.coverage.data() + static_cast<std::size_t>(row - y) * mask.width;
        std::uint8_t* p = view.Row(row) + area.left * 4;
        for (int col = area.left; col < area.right; ++col, p += 4) {
            const std::uint8_t c = cov[col - x];
            if (c != 0) {
                p[0] = Mix(p[0], b, c);
                p[1] = Mix(p[1], g, c);
                p[2] = Mix(p[2], r, c);
            }
        }
    }
}

int CDC::DrawText(std::u16string_view text, CRect* rect, UINT format)
{
    if (rect == nullptr || m_kind == Kind::None) {
        return 0;
    }
    const LOGFONTW font = m_font != nullptr ? m_font->LogFont() : StockFont();
    if ((format & DT_CALCRECT) != 0) {
        const TextMask measured = RasteriseTextLine(font, text);
        rect->right = rect->left + measured.width;
        rect->bottom = rect->top + measured.height;
        return measured.height;
    }
    if (!HasPixels()) {
        return 0;
    }
    const TextMask mask = RasteriseTextLine(FontForDpi(font, GetDpi()), text);
    const CRect box = ToDevice(*rect);
    int x = box.left;
    if ((format & DT_CENTER) != 0) {
        x = box.left + (box.Width() - mask.width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        x = box.right - mask.width;
    }
    int y = box.top;
    if ((format & DT_VCENTER) != 0) {
        y = box.top + (box.Height() - mask.height) / 2;
    } else if ((format & DT_BOTTOM) != 0) {
        y = box.bottom - mask.height;
    }
    const CRect clip = (format & DT_NOCLIP) != 0 ? DeviceClip() : IntersectRects(DeviceClip(), box);
    if (m_bkMode == OPAQUE) {
        FillDeviceRect(IntersectRects(CRect(x, y, x + mask.width, y + mask.height), clip), m_bkColor);
    }
    PaintMask(mask, x, y, clip);
    return UnscaleForDpi(mask.height, GetDpi(), true);
}
