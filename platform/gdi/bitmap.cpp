// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/bitmap.h"

#include <utility>

#include "platform/gdi/dc.h"

namespace {

// Larger than any window or picture the program has; keeps a corrupt size
// from asking for gigabytes.
constexpr int kMaxSide = 16384;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool AcceptableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

int ScaleForDpi(int value, UINT dpi)
{
    if (dpi == USER_DEFAULT_SCREEN_DPI) {
        return value;
    }
    return static_cast<int>(FloorDiv(std::int64_t{value} * dpi + USER_DEFAULT_SCREEN_DPI / 2, USER_DEFAULT_SCREEN_DPI));
}

int UnscaleForDpi(int value, UINT dpi, bool roundUp)
{
    if (dpi == USER_DEFAULT_SCREEN_DPI || dpi == 0) {
        return value;
    }
    const std::int64_t scaled = std::int64_t{value} * USER_DEFAULT_SCREEN_DPI;
    return static_cast<int>(roundUp ? -FloorDiv(-scaled, dpi) : FloorDiv(scaled, dpi));
}

bool CBitmap::CreateBitmapForDpi(int width, int height, UINT dpi)
{
    if (dpi == 0 || width <= 0 || height <= 0 || !CreateBitmap32(ScaleForDpi(width, dpi), ScaleForDpi(height, dpi))) {
        DeleteObject();
        return false;
    }
    m_dpi = dpi;
    return true;
}

bool CBitmap::CreateBitmap32(int width, int height)
{
    DeleteObject();
    if (!AcceptableSize(width, height)) {
        return false;
    }
    m_bits = PixelBytes::Zeroed(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    if (m_bits.empty()) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_dpi = USER_DEFAULT_SCREEN_DPI;
    return true;
}

bool CBitmap::AdoptBits32(int width, int height, PixelBytes&& pixels, UINT dpi)
{
    DeleteObject();
    if (!AcceptableSize(width, height) ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    m_bits = std::move(pixels);
    m_width = width;
    m_height = height;
    m_dpi = dpi;
    return true;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    const UINT dpi = dc != nullptr ? dc->GetDpi() : USER_DEFAULT_SCREEN_DPI;
    return CreateBitmapForDpi(width, height, dpi) ? TRUE : FALSE;
}

void CBitmap::DeleteObject()
{
    m_bits.clear();
    m_width = 0;
    m_height = 0;
    m_dpi = USER_DEFAULT_SCREEN_DPI;
}
