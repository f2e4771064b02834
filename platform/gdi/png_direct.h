// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick way through the PNG kinds the skin is written in: 8-bit RGB,
// RGBA and palette pictures without interlacing. The chunks are read here;
// the image data is inflated many rows at a time and unfiltered (CPngRows),
// and each row turned straight into its final place and pixel format in the
// decoded rows, with no intermediate image. No PNG library is loaded. The program
// redecodes a picture at every paint, so this is most of a page draw's cost.
//
// Gives exactly what DecodePng gives for those kinds (the same format,
// palette and pixels); every other kind is left to DecodePng's general path.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/picture_file.h"

enum class DirectPng {
    Decoded,     // the picture is in the result
    Refused,     // the file is broken or beyond the bounds: no picture
    NotHandled,  // a kind of PNG this path does not take
};

DirectPng DecodePngDirect(std::span<const std::uint8_t> file, DecodedPicture& picture);
