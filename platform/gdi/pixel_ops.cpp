// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/pixel_ops.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint8_t Scale(std::uint8_t v, std::uint8_t alpha)
{
    return static_cast<std::uint8_t>((v * alpha + 127u) / 255u);
}

void WritePixel(std::uint8_t* d, const std::uint8_t* s, PixelBlend mode)
{
    if (!mode.blend) {
        std::memcpy(d, s, 4);
        return;
    }
    std::uint8_t b = s[0];
    std::uint8_t g = s[1];
    std::uint8_t r = s[2];
    std::uint8_t a = mode.perPixelAlpha ? s[3] : 255;
    if (mode.constantAlpha != 255) {
        b = Scale(b, mode.constantAlpha);
        g = Scale(g, mode.constantAlpha);
        r = Scale(r, mode.constantAlpha);
        a = Scale(a, mode.constantAlpha);
    }
    d[0] = BlendChannel(b, d[0], a);
    d[1] = BlendChannel(g, d[1], a);
    d[2] = BlendChannel(r, d[2], a);
    d[3] = BlendChannel(a, d[3], a);
}

// The common blend of skin pictures: premultiplied source, constant alpha
// 255. Fully opaque and fully transparent pixels, the bulk of most artwork,
// skip the arithmetic.
void BlendPremultipliedRow(std::uint8_t* d, const std::uint8_t* s, int count)
{
    for (int i = 0; i < count; ++i, d += 4, s += 4) {
        const std::uint8_t a = s[3];
        if (a == 255) {
            std::memcpy(d, s, 4);
        } else if (a != 0) {
            d[0] = BlendChannel(s[0], d[0], a);
            d[1] = BlendChannel(s[1], d[1], a);
            d[2] = BlendChannel(s[2], d[2], a);
            d[3] = BlendChannel(a, d[3], a);
        }
    }
}

// Same size, no blending: whole rows at once.
void CopyRows(const PixelView& dst, const CRect& area, const ConstPixelView& src, int dx, int dy)
{
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 4;
    for (int y = area.top; y < area.bottom; ++y) {
        std::memmove(dst.Row(y) + area.left * 4, src.Row(y + dy) + (area.left + dx) * 4, bytes);
    }
}

// Source pixel (x + dx, y + dy) goes to destination (x, y), for the part of
// area whose source exists.
void TransferSameSize(const PixelView& dst, CRect area, const ConstPixelView& src, int dx, int dy, PixelBlend mode)
{
    area = IntersectRects(area, CRect(-dx, -dy, src.width - dx, src.height - dy));
    if (area.IsRectEmpty()) {
        return;
    }
    if (!mode.blend) {
        CopyRows(dst, area, src, dx, dy);
        return;
    }
    const bool plain = mode.perPixelAlpha && mode.constantAlpha == 255;
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* d = dst.Row(y) + area.left * 4;
        const std::uint8_t* s = src.Row(y + dy) + (area.left + dx) * 4;
        if (plain) {
            BlendPremultipliedRow(d, s, area.Width());
            continue;
        }
        for (int x = area.left; x < area.right; ++x, d += 4, s += 4) {
            WritePixel(d, s, mode);
        }
    }
}

// Each destination pixel of area takes the source pixel its position maps to.
void TransferStretched(const PixelView& dst, const CRect& dstRect, const CRect& area, const ConstPixelView& src,
    const CRect& srcRect, PixelBlend mode)
{
    for (int y = area.top; y < area.bottom; ++y) {
        const long long sy = srcRect.top + static_cast<long long>(y - dstRect.top) * srcRect.Height() / dstRect.Height();
        if (sy < 0 || sy >= src.height) {
            continue;
        }
        const std::uint8_t* srcRow = src.Row(static_cast<int>(sy));
        std::uint8_t* d = dst.Row(y) + area.left * 4;
        for (int x = area.left; x < area.right; ++x, d += 4) {
            const long long sx = srcRect.left + static_cast<long long>(x - dstRect.left) * srcRect.Width() / dstRect.Width();
            if (sx >= 0 && sx < src.width) {
                WritePixel(d, srcRow + sx * 4, mode);
            }
        }
    }
}

}  // namespace

CRect IntersectRects(const CRect& a, const CRect& b)
{
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom));
    return r.IsRectEmpty() ? CRect() : r;
}

void TransferPixels(const PixelView& dst, const CRect& dstRect, const CRect& clip, const ConstPixelView& src,
    const CRect& srcRect, PixelBlend mode)
{
    if (dstRect.IsRectEmpty() || srcRect.IsRectEmpty() || dst.top == nullptr || src.top == nullptr) {
        return;
    }
    const CRect area = IntersectRects(IntersectRects(dstRect, clip), CRect(0, 0, dst.width, dst.height));
    if (dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height()) {
        TransferSameSize(dst, area, src, srcRect.left - dstRect.left, srcRect.top - dstRect.top, mode);
    } else {
        TransferStretched(dst, dstRect, area, src, srcRect, mode);
    }
}
