// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which file a picture is drawn from on a screen of a given density. Beside
// every skin picture NAME.png may lie NAME@2x.png, the same picture drawn at
// twice the density for screens above 100 %.

#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi/picture_file.h"
#include "platform/windef.h"

// "…/Save-over.png" -> "…/Save-over@2x.png"; a name without ".png" gets "@2x"
// appended.
std::u16string DoubleDensityPath(std::u16string_view path);

struct PictureAtDensity {
    DecodedPicture picture;
    UINT dpi = 96;  // the density of picture's pixels: 96 or 192
};

// The picture at path for a bitmap at dpi. Above 96 dpi it is NAME@2x.png
// when that file exists, decodes and is exactly twice the size NAME.png's
// header gives; otherwise, and always at 96 dpi, NAME.png itself. NAME.png
// decides whether there is a picture at all: when it is missing or is not a
// PNG there is nothing, whatever lies beside it, so a missing picture is
// reported at every density.
std::optional<PictureAtDensity> DecodePictureForDpi(std::u16string_view path, UINT dpi);

// Whether the file at path is a regular file within kMaxPictureFileBytes that
// starts as a PNG with a size within kMaxPictureSide, read without decoding.
// A picture that fails here fails to load; one that passes may still fail in
// its data.
bool PictureHeaderReads(std::u16string_view path);
