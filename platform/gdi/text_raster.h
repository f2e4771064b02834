// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Glyph rendering, supplied by the desktop backend: a line of text turned
// into a coverage mask that the device context then paints in its text
// colour, clipped as it pleases.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gdi/font.h"

struct TextMask {
    int width = 0;   // the advance of the whole line
    int height = 0;  // the font's cell: ascent plus descent
    std::vector<std::uint8_t> coverage;  // width * height, row by row, 0..255
};

// Lays text out on one line in font. An empty text gives a mask of width 0
// and the font's height.
TextMask RasteriseTextLine(const LOGFONTW& font, std::u16string_view text);
