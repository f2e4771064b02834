#include "platform/gdi/dc.h"

#include <algorithm>
#include <utility>

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

BOOL CDC::CreateCompatibleDC(CDC* /*reference*/)
{
    if (m_kind != Kind::None) {
        return FALSE;
    }
    m_stockBitmap = std::make_unique<CBitmap>();
    m_stockBitmap->CreateBitmap32(1, 1);
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

CRect CDC::ToDevice(const CRect& logical) const
{
    return CRect(logical.left - m_origin.x, logical.top - m_origin.y, logical.right - m_origin.x,
        logical.bottom - m_origin.y);
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
        *rect = CRect(clip.left + m_origin.x, clip.top + m_origin.y, clip.right + m_origin.x,
            clip.bottom + m_origin.y);
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
    TransferPixels(View(), ToDevice(dst), DeviceClip(), source, src, mode);
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
    return StretchBlt(x, y, width, height, source->SourceView(), src.left, src.top, widthSrc, heightSrc, rop);
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
    return AlphaBlend(x, y, width, height, source->SourceView(), src.left, src.top, widthSrc, heightSrc, blend);
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
    const CRect area = IntersectRects(ToDevice(rect), DeviceClip());
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
    const CPoint p(x - m_origin.x, y - m_origin.y);
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
    const TextMask mask = RasteriseTextLine(font, text);
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + mask.width;
        rect->bottom = rect->top + mask.height;
        return mask.height;
    }
    if (!HasPixels()) {
        return 0;
    }
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
        const CRect cell = IntersectRects(CRect(x, y, x + mask.width, y + mask.height), clip);
        FillSolidRect(CRect(cell.left + m_origin.x, cell.top + m_origin.y, cell.right + m_origin.x,
                          cell.bottom + m_origin.y),
            m_bkColor);
    }
    PaintMask(mask, x, y, clip);
    return mask.height;
}
