// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A device-dependent bitmap: a 32-bit BGRA surface stored top-down, the
// pixel format every device context of the desktop draws in. Windows keep
// their canvases and off-screen buffers in these.
//
// A bitmap has a density: its pixels per client pixel, as dots per inch
// (96 is one device pixel per client pixel). On a screen at 150 % or 200 %
// a window's bitmaps hold that many more pixels, while everything drawn into
// them is placed in client pixels by the device context.

#include <cstdint>

#include "platform/gdi/pixel_bytes.h"
#include "platform/windef.h"

class CDC;

inline constexpr UINT USER_DEFAULT_SCREEN_DPI = 96;

// A client length or coordinate in the pixels of a bitmap at dpi, rounded to
// the nearest (floor of v * dpi / 96 + 1/2, the same rule for every edge), so
// that neighbouring rectangles stay neighbours.
int ScaleForDpi(int value, UINT dpi);
// The other way: the client coordinate of a device pixel edge, rounded
// outwards when roundUp (right and bottom edges) and inwards otherwise.
int UnscaleForDpi(int value, UINT dpi, bool roundUp);

class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    CBitmap(CBitmap&&) noexcept = default;
    CBitmap& operator=(CBitmap&&) noexcept = default;
    ~CBitmap() = default;

    // Allocates a width x height surface, all bytes zero (black, alpha 0).
    // Any previous surface is released. Fails for a non-positive or
    // unreasonably large size, or when the memory cannot be had, and leaves
    // the bitmap empty. The zeros cost nothing until a pixel is written: a
    // large surface takes fresh pages from the system (see PixelBytes).
    bool CreateBitmap32(int width, int height);
    // A surface for width x height client pixels at dpi: the pixel size is
    // scaled by dpi / 96.
    bool CreateBitmapForDpi(int width, int height, UINT dpi);
    // A surface that can be selected into a context compatible with dc
    // (every context draws 32-bit BGRA, so dc only has to exist or be null):
    // width x height client pixels at dc's density.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // Takes over pixels as the surface: width x height pixels at dpi, stored
    // as Bits() keeps them. Fails, leaving the bitmap empty, for a size
    // CreateBitmap32 refuses or pixels of another length.
    bool AdoptBits32(int width, int height, PixelBytes&& pixels, UINT dpi = USER_DEFAULT_SCREEN_DPI);
    // Releases the surface; the bitmap is empty afterwards.
    void DeleteObject();

    bool IsNull() const { return m_width == 0; }
    // In pixels of the bitmap.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    UINT Dpi() const { return m_dpi; }
    // Bytes per row; rows follow each other downwards without padding.
    int Pitch() const { return m_width * 4; }
    std::uint8_t* Bits() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const std::uint8_t* Bits() const { return m_bits.empty() ? nullptr : m_bits.data(); }

    // The pixel at (x, y), blue first. The caller keeps x and y in range.
    std::uint8_t* PixelAt(int x, int y) { return Bits() + static_cast<std::size_t>(y) * Pitch() + x * 4; }
    const std::uint8_t* PixelAt(int x, int y) const
    {
        return Bits() + static_cast<std::size_t>(y) * Pitch() + x * 4;
    }

private:
    int m_width = 0;
    int m_height = 0;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    PixelBytes m_bits;
};
