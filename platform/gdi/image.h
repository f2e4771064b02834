// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture loaded from a file into a device-independent bitmap section:
// rows bottom-up (the pitch from one row to the next lower row is
// negative), 32-bit pixels blue, green, red, alpha, straight alpha, an
// alpha flag for pictures with transparency, and a colour table for
// palette pictures.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/windef.h"

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

class CImage {
public:
    CImage() = default;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    ~CImage() = default;

    // Replaces the picture with the file's; on failure the image is empty.
    HRESULT Load(std::u16string_view path);
    // The same for drawing on a bitmap at dpi: above 96 dpi from the file's
    // twice-as-dense copy where there is a good one (see
    // DecodePictureForDpi). The pixels keep their own density; GetWidth and
    // the pixel accessors count them, GetLogicalWidth gives client pixels.
    HRESULT Load(std::u16string_view path, UINT dpi);
    void Destroy();

    bool IsNull() const { return m_width == 0; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The size in client pixels the picture covers when drawn.
    int GetLogicalWidth() const;
    int GetLogicalHeight() const;
    UINT GetDpi() const { return m_dpi; }
    int GetBPP() const { return m_bpp; }
    // Byte step from a row to the row below it: negative, rows are bottom-up.
    int GetPitch() const { return -m_stride; }
    // The top row.
    std::uint8_t* GetBits();
    const std::uint8_t* GetBits() const;
    std::uint8_t* GetPixelAddress(int x, int y);
    COLORREF GetPixel(int x, int y) const;
    bool HasAlphaChannel() const { return m_hasAlpha; }

    int GetMaxColorTableEntries() const { return static_cast<int>(m_colorTable.size()); }
    void GetColorTable(UINT first, UINT count, RGBQUAD* colors) const;

    // Draws the whole picture at its own size in client pixels with (x, y)
    // as the top-left corner: blended with per-pixel alpha (the pixels must
    // be premultiplied by then), or copied to width x height client pixels.
    BOOL AlphaBlend(CDC* target, int x, int y, BYTE constantAlpha = 255) const;
    BOOL StretchBlt(CDC* target, int x, int y, int width, int height, DWORD rop = SRCCOPY) const;

    // Hands the picture over as a top-down 32-bit bitmap the caller owns;
    // the image is empty afterwards (and so is the bitmap when it was).
    CBitmap Detach();
    // The same as a bitmap at dpi, resampled smoothly when the picture's own
    // density differs.
    CBitmap Detach(UINT dpi);

private:
    std::vector<std::uint8_t> Expand32() const;
    const std::uint8_t* PixelPointer(int x, int y) const;

    int m_width = 0;
    int m_height = 0;
    int m_bpp = 0;
    int m_stride = 0;  // bytes per row in memory
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    bool m_hasAlpha = false;
    PixelBytes m_bits;  // bottom row first
    std::vector<RGBQUAD> m_colorTable;
};
