// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Smooth resampling of 32-bit BGRA pixels, supplied by the desktop backend:
// how a picture of one density is drawn on a bitmap of another.

#include <cstdint>
#include <vector>

#include "platform/gdi/pixel_ops.h"
#include "platform/geometry.h"

enum class PixelAlpha {
    Premultiplied,  // colours already scaled by alpha: blended pictures
    Straight,       // plain copies: the alpha byte is carried along as data
};

// srcRect of src resampled to width x height, top-down rows of width * 4
// bytes: interpolated when enlarging, averaged over the covered pixels when
// reducing. Empty when a size is not positive.
std::vector<std::uint8_t> ResamplePixels(const ConstPixelView& src, const CRect& srcRect, int width, int height,
    PixelAlpha alpha);
