// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparing what a window shows on a dense screen with the skin's pictures:
// the pixels a picture file should give at a screen's density, and how far a
// window's surface strays from them over an area of client pixels.

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/geometry.h"
#include "platform/windef.h"

inline constexpr UINT kScreenDpis[] = {96, 144, 192};

// A skin picture in the pixels of a screen at dpi: the file itself at 96,
// its @2x copy at 192, the @2x copy reduced at 144.
struct ExpectedPicture {
    int width = 0;
    int height = 0;
    UINT dpi = 96;
    std::vector<std::uint8_t> pixels;  // top-down BGRA
    const std::uint8_t* At(int x, int y) const { return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
};
ExpectedPicture SkinPictureAtDpi(const std::u16string& path, UINT dpi);
// The single-density picture resampled smoothly to dpi: what is drawn when
// there is no twice-as-dense copy.
ExpectedPicture SmoothPictureAtDpi(const std::u16string& path, UINT dpi);
// The single-density picture enlarged by repeating pixels, as a screen above
// 100 % would show it if nothing were drawn at its density.
ExpectedPicture BlockyPictureAtDpi(const std::u16string& path, UINT dpi);

// The largest difference of one colour channel between surface and picture
// over the device pixels of the client area; -1 when the sizes differ.
int LargestDifference(const CBitmap& surface, const ExpectedPicture& picture, const CRect& client);
