// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/image.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/picture_density.h"
#include "platform/gdi/picture_file.h"
#include "platform/gdi/pixel_scale.h"

namespace {

constexpr std::size_t kMaxColorTableEntries = 256;

// DIB rows are padded to whole 32-bit words.
int StrideFor(int width, int bpp)
{
    return ((width * bpp + 31) / 32) * 4;
}

}  // namespace

HRESULT CImage::Load(std::u16string_view path)
{
    return Load(path, USER_DEFAULT_SCREEN_DPI);
}

HRESULT CImage::Load(std::u16string_view path, UINT dpi)
{
    Destroy();
    std::optional<PictureAtDensity> chosen = DecodePictureForDpi(path, dpi);
    std::optional<DecodedPicture> picture;
    if (chosen) {
        picture = std::move(chosen->picture);
    }
    if (!picture || picture->width <= 0 || picture->height <= 0) {
        return E_FAIL;
    }
    const bool palette = picture->format == DecodedPicture::Format::Palette8;
    if (palette && (picture->palette.empty() || picture->palette.size() > kMaxColorTableEntries)) {
        return E_FAIL;
    }
    const int bpp = palette ? 8 : 32;
    const int stride = StrideFor(picture->width, bpp);
    if (picture->pixels.size() != static_cast<std::size_t>(stride) * static_cast<std::size_t>(picture->height)) {
        return E_FAIL;
    }
    m_bits = std::move(picture->pixels);
    for (const std::uint32_t argb : picture->palette) {
        m_colorTable.push_back(RGBQUAD{static_cast<BYTE>(argb & 0xFF), static_cast<BYTE>((argb >> 8) & 0xFF),
            static_cast<BYTE>((argb >> 16) & 0xFF), 0});
    }
    m_width = picture->width;
    m_height = picture->height;
    m_bpp = bpp;
    m_stride = stride;
    m_hasAlpha = picture->format == DecodedPicture::Format::Alpha32;
    m_dpi = chosen->dpi;
    return S_OK;
}

int CImage::GetLogicalWidth() const
{
    return UnscaleForDpi(m_width, m_dpi, true);
}

int CImage::GetLogicalHeight() const
{
    return UnscaleForDpi(m_height, m_dpi, true);
}

void CImage::Destroy()
{
    m_width = 0;
    m_height = 0;
    m_bpp = 0;
    m_stride = 0;
    m_hasAlpha = false;
    m_dpi = USER_DEFAULT_SCREEN_DPI;
    m_bits.clear();
    m_colorTable.clear();
}

std::uint8_t* CImage::GetBits()
{
    return IsNull() ? nullptr : m_bits.data() + static_cast<std::size_t>(m_height - 1) * m_stride;
}

const std::uint8_t* CImage::GetBits() const
{
    return IsNull() ? nullptr : m_bits.data() + static_cast<std::size_t>(m_height - 1) * m_stride;
}

const std::uint8_t* CImage::PixelPointer(int x, int y) const
{
    if (IsNull() || x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return nullptr;
    }
    return GetBits() + static_cast<std::ptrdiff_t>(GetPitch()) * y + x * (m_bpp / 8);
}

std::uint8_t* CImage::GetPixelAddress(int x, int y)
{
    return const_cast<std::uint8_t*>(PixelPointer(x, y));
}

COLORREF CImage::GetPixel(int x, int y) const
{
    const std::uint8_t* p = PixelPointer(x, y);
    if (p == nullptr) {
        return 0xFFFFFFFF;  // CLR_INVALID
    }
    if (m_bpp == 8) {
        if (*p >= m_colorTable.size()) {
            return RGB(0, 0, 0);
        }
        const RGBQUAD& q = m_colorTable[*p];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return RGB(p[2], p[1], p[0]);
}

void CImage::GetColorTable(UINT first, UINT count, RGBQUAD* colors) const
{
    for (UINT i = 0; i < count && first + i < m_colorTable.size(); ++i) {
        colors[i] = m_colorTable[first + i];
    }
}

std::vector<std::uint8_t> CImage::Expand32() const
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(m_width) * m_height * 4);
    std::uint8_t* d = out.data();
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* row = GetBits() + static_cast<std::ptrdiff_t>(GetPitch()) * y;
        for (int x = 0; x < m_width; ++x, d += 4) {
            if (m_bpp == 32) {
                std::memcpy(d, row + x * 4, 4);
                continue;
            }
            const RGBQUAD q = row[x] < m_colorTable.size() ? m_colorTable[row[x]] : RGBQUAD{};
            d[0] = q.rgbBlue;
            d[1] = q.rgbGreen;
            d[2] = q.rgbRed;
            d[3] = 255;
        }
    }
    return out;
}

BOOL CImage::AlphaBlend(CDC* target, int x, int y, BYTE constantAlpha) const
{
    if (target == nullptr || IsNull() || m_bpp != 32) {
        return FALSE;
    }
    const ConstPixelView view{GetBits(), GetPitch(), m_width, m_height};
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = constantAlpha;
    blend.AlphaFormat = AC_SRC_ALPHA;
    return target->AlphaBlend(x, y, GetLogicalWidth(), GetLogicalHeight(), view, 0, 0, m_width, m_height, blend);
}

BOOL CImage::StretchBlt(CDC* target, int x, int y, int width, int height, DWORD rop) const
{
    if (target == nullptr || IsNull()) {
        return FALSE;
    }
    if (m_bpp == 32) {
        const ConstPixelView view{GetBits(), GetPitch(), m_width, m_height};
        return target->StretchBlt(x, y, width, height, view, 0, 0, m_width, m_height, rop);
    }
    const std::vector<std::uint8_t> pixels = Expand32();
    const ConstPixelView view{pixels.data(), m_width * 4, m_width, m_height};
    return target->StretchBlt(x, y, width, height, view, 0, 0, m_width, m_height, rop);
}

CBitmap CImage::Detach()
{
    return Detach(m_dpi);
}

CBitmap CImage::Detach(UINT dpi)
{
    CBitmap bitmap;
    if (IsNull()) {
        return bitmap;
    }
    if (m_bpp == 32 && ScaleForDpi(GetLogicalWidth(), dpi) == m_width && ScaleForDpi(GetLogicalHeight(), dpi) == m_height) {
        // The rows trade places in the picture's own memory, which then
        // becomes the bitmap: no second picture-sized buffer to fill.
        for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(m_bits.begin() + static_cast<std::ptrdiff_t>(top) * m_stride,
                             m_bits.begin() + static_cast<std::ptrdiff_t>(top + 1) * m_stride,
                             m_bits.begin() + static_cast<std::ptrdiff_t>(bottom) * m_stride);
        }
        bitmap.AdoptBits32(m_width, m_height, std::move(m_bits), dpi);
    } else if (bitmap.CreateBitmapForDpi(GetLogicalWidth(), GetLogicalHeight(), dpi)) {
        std::vector<std::uint8_t> pixels = Expand32();
        if (bitmap.Width() != m_width || bitmap.Height() != m_height) {
            const ConstPixelView view{pixels.data(), m_width * 4, m_width, m_height};
            pixels = ResamplePixels(view, CRect(0, 0, m_width, m_height), bitmap.Width(), bitmap.Height(),
                m_hasAlpha ? PixelAlpha::Straight : PixelAlpha::Premultiplied);
        }
        if (pixels.size() == static_cast<std::size_t>(bitmap.Height()) * bitmap.Pitch()) {
            std::memcpy(bitmap.Bits(), pixels.data(), pixels.size());
        } else {
            bitmap.DeleteObject();
        }
    }
    Destroy();
    return bitmap;
}
