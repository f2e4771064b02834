// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixel loops behind the device context: copying and blending 32-bit
// BGRA rectangles between views that may run top-down or bottom-up.

#include <cstddef>
#include <cstdint>

#include "platform/geometry.h"

// A 32-bit BGRA pixel array: top points at the top row, pitch is the byte
// step to the next lower row (negative for bottom-up pictures).
struct PixelView {
    std::uint8_t* top = nullptr;
    std::ptrdiff_t pitch = 0;
    int width = 0;
    int height = 0;
    std::uint8_t* Row(int y) const { return top + pitch * y; }
};

struct ConstPixelView {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t pitch = 0;
    int width = 0;
    int height = 0;
    const std::uint8_t* Row(int y) const { return top + pitch * y; }
};

// How source pixels combine with the destination.
struct PixelBlend {
    bool blend = false;          // false: plain copy of all four bytes
    bool perPixelAlpha = false;  // source premultiplied, its alpha byte counts
    std::uint8_t constantAlpha = 255;
};

// Maps srcRect of src onto dstRect of dst (nearest pixel when the sizes
// differ), touching only destination pixels inside clip and only where the
// source pixel exists. Rectangles are in each view's own pixels.
void TransferPixels(const PixelView& dst, const CRect& dstRect, const CRect& clip, const ConstPixelView& src,
    const CRect& srcRect, PixelBlend mode);

// One source-over step for a premultiplied source pixel of alpha a:
// d = s + d * (255 - a) / 255, rounded to the nearest value.
constexpr std::uint8_t BlendChannel(std::uint8_t s, std::uint8_t d, std::uint8_t a)
{
    const unsigned v = s + (d * (255u - a) + 127u) / 255u;
    return static_cast<std::uint8_t>(v > 255u ? 255u : v);
}

CRect IntersectRects(const CRect& a, const CRect& b);
