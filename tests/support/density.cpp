// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/density.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/image.h"
#include "platform/gdi/picture_density.h"
#include "platform/gdi/pixel_scale.h"

namespace {

ExpectedPicture FromImage(const std::u16string& path)
{
    CImage image;
    image.Load(path);
    CBitmap bitmap = image.Detach();
    ExpectedPicture picture;
    if (!bitmap.IsNull()) {
        picture.width = bitmap.Width();
        picture.height = bitmap.Height();
        picture.pixels.assign(bitmap.Bits(), bitmap.Bits() + static_cast<std::size_t>(bitmap.Height()) * bitmap.Pitch());
    }
    return picture;
}

// source at sourceDpi resampled to dpi.
ExpectedPicture Resampled(const ExpectedPicture& source, UINT sourceDpi, UINT dpi)
{
    const ConstPixelView view{source.pixels.data(), source.width * 4, source.width, source.height};
    ExpectedPicture out;
    out.width = ScaleForDpi(UnscaleForDpi(source.width, sourceDpi, true), dpi);
    out.height = ScaleForDpi(UnscaleForDpi(source.height, sourceDpi, true), dpi);
    out.dpi = dpi;
    out.pixels = ResamplePixels(view, CRect(0, 0, source.width, source.height), out.width, out.height,
        PixelAlpha::Premultiplied);
    return out;
}

}  // namespace

ExpectedPicture SkinPictureAtDpi(const std::u16string& path, UINT dpi)
{
    if (dpi == USER_DEFAULT_SCREEN_DPI) {
        return FromImage(path);
    }
    ExpectedPicture twice = FromImage(DoubleDensityPath(path));
    twice.dpi = 2 * USER_DEFAULT_SCREEN_DPI;
    if (dpi == twice.dpi || twice.pixels.empty()) {
        return twice;
    }
    return Resampled(twice, twice.dpi, dpi);
}

ExpectedPicture SmoothPictureAtDpi(const std::u16string& path, UINT dpi)
{
    return Resampled(FromImage(path), USER_DEFAULT_SCREEN_DPI, dpi);
}

ExpectedPicture BlockyPictureAtDpi(const std::u16string& path, UINT dpi)
{
    const ExpectedPicture single = FromImage(path);
    ExpectedPicture blocky;
    blocky.width = ScaleForDpi(single.width, dpi);
    blocky.height = ScaleForDpi(single.height, dpi);
    blocky.dpi = dpi;
    blocky.pixels.resize(static_cast<std::size_t>(blocky.width) * blocky.height * 4);
    for (int y = 0; y < blocky.height; ++y) {
        for (int x = 0; x < blocky.width; ++x) {
            const int sx = std::min(single.width - 1, UnscaleForDpi(x, dpi, false));
            const int sy = std::min(single.height - 1, UnscaleForDpi(y, dpi, false));
            std::copy_n(single.At(sx, sy), 4, blocky.pixels.data() + (static_cast<std::size_t>(y) * blocky.width + x) * 4);
        }
    }
    return blocky;
}

int LargestDifference(const CBitmap& surface, const ExpectedPicture& picture, const CRect& client)
{
    const UINT dpi = surface.Dpi();
    if (picture.dpi != dpi || picture.pixels.empty()) {
        return -1;
    }
    const CRect area(ScaleForDpi(client.left, dpi), ScaleForDpi(client.top, dpi), ScaleForDpi(client.right, dpi),
        ScaleForDpi(client.bottom, dpi));
    if (area.right > surface.Width() || area.bottom > surface.Height() || area.right > picture.width
        || area.bottom > picture.height) {
        return -1;
    }
    int largest = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                largest = std::max(largest, std::abs(surface.PixelAt(x, y)[channel] - picture.At(x, y)[channel]));
            }
        }
    }
    return largest;
}
