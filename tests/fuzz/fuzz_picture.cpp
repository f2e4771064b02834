// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a skin picture, through everything the skin
// does with one: decoding, loading as a window's canvas, and drawing with
// LoadPng onto a canvas. Nothing may crash or read outside a picture, and a
// decoded picture must be exactly as large as it says.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/picture_file.h"
#include "skin/canvas.h"
#include "skin/load_png.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckDecoded(const DecodedPicture& picture)
{
    Require(picture.width > 0 && picture.height > 0);
    Require(picture.width <= kMaxPictureSide && picture.height <= kMaxPictureSide);
    const bool palette = picture.format == DecodedPicture::Format::Palette8;
    const std::size_t row = static_cast<std::size_t>(picture.width) * (palette ? 1 : 4);
    Require(picture.pixels.size() == ((row + 3) & ~std::size_t{3}) * static_cast<std::size_t>(picture.height));
    Require(palette ? !picture.palette.empty() && picture.palette.size() <= 256 : picture.palette.empty());
}

// A small canvas, so that most pictures are drawn partly outside it.
struct Canvas {
    CBitmap bitmap;
    CDC dc;
    Canvas()
    {
        bitmap.CreateBitmap32(40, 30);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CSilentBoxes boxes;
    static const bool installed = (SetMessageBoxPresenter(&boxes), true);
    static CFuzzInputFile file("main.png");
    static Canvas canvas;
    (void)installed;

    const std::span<const std::uint8_t> bytes(data, size);
    const auto decoded = DecodePng(bytes);
    if (decoded) {
        CheckDecoded(*decoded);
    }
    file.Write(bytes);
    const std::unique_ptr<CBitmap> loaded = LoadCanvas(file.Path());
    Require((loaded != nullptr) == decoded.has_value());
    const int shownBefore = boxes.shown;
    const int x = size > 0 ? static_cast<int>(data[0] % 64) - 32 : 0;
    const int drawn = LoadPng(nullptr, &canvas.dc, file.Path(), x, -5);
    Require(drawn == (decoded ? 1 : 0));
    Require(boxes.shown == shownBefore + (decoded ? 0 : 1));
    return 0;
}
