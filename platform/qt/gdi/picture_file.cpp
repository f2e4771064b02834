// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QRgba64>
#include <QString>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/png_direct.h"

namespace {

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsPalettePicture(const QImage& image)
{
    const QImage::Format f = image.format();
    return f == QImage::Format_Indexed8 || f == QImage::Format_Mono || f == QImage::Format_MonoLSB;
}

// Copies the rows bottom row first, each padded to whole 32-bit words with
// zeros; false when the memory cannot be had.
bool CopyRowsBottomUp(const QImage& image, int bytesPerPixel, PixelBytes& out)
{
    const std::size_t row = static_cast<std::size_t>(image.width()) * bytesPerPixel;
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    out = PixelBytes::Zeroed(stride * image.height());
    if (out.empty()) {
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(out.data() + stride * (image.height() - 1 - y), image.constScanLine(y), row);
    }
    return true;
}

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(std::span<const std::uint8_t> file)
{
    return file.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), file.begin());
}

// The PNG codec alone: the reader must not fall back on whatever other format
// the content looks like.
QImage ReadPng(std::span<const std::uint8_t> file)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                               static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        return {};
    }
    return reader.read();
}

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint16_t Be16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

// The transparent colour of a 16-bit truecolour picture, found before the
// image data, and the file without that chunk.
struct WideTransparentColour {
    std::uint16_t red, green, blue;
    QByteArray withoutIt;
};

constexpr std::size_t kIhdrEnd = 8 + 8 + 13 + 4;  // signature, IHDR header, data and CRC
constexpr std::uint8_t kTruecolour = 2;

std::optional<WideTransparentColour> FindWideTransparentColour(std::span<const std::uint8_t> file)
{
    if (file.size() < kIhdrEnd || std::memcmp(file.data() + 12, "IHDR", 4) != 0 || file[24] != 16 ||
        file[25] != kTruecolour) {
        return std::nullopt;
    }
    for (std::size_t at = kIhdrEnd; at + 12 <= file.size();) {
        const std::size_t length = Be32(file.data() + at);
        if (length > file.size() - at - 12 || std::memcmp(file.data() + at + 4, "IDAT", 4) == 0) {
            return std::nullopt;
        }
        if (std::memcmp(file.data() + at + 4, "tRNS", 4) == 0 && length == 6) {
            const std::uint8_t* rgb = file.data() + at + 8;
            QByteArray rest(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(at));
            rest.append(reinterpret_cast<const char*>(file.data() + at + 12 + length),
                        static_cast<qsizetype>(file.size() - at - 12 - length));
            return WideTransparentColour{Be16(rgb), Be16(rgb + 2), Be16(rgb + 4), std::move(rest)};
        }
        at += 12 + length;
    }
    return std::nullopt;
}

// The desktop codec leaves the pixels of a 16-bit truecolour picture with a
// transparent colour unset. Such a picture is read without its tRNS chunk,
// and the colour is made transparent here, compared at 16 bits as the file
// gives it.
QImage ReadWideWithTransparentColour(const WideTransparentColour& colour)
{
    const QImage wide = ReadPng({reinterpret_cast<const std::uint8_t*>(colour.withoutIt.constData()),
                                 static_cast<std::size_t>(colour.withoutIt.size())});
    if (wide.format() != QImage::Format_RGBX64) {
        return {};
    }
    QImage image = wide.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < wide.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgba64*>(wide.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < wide.width(); ++x) {
            if (in[x].red() == colour.red && in[x].green() == colour.green && in[x].blue() == colour.blue) {
                out[x] &= 0x00FFFFFFu;
            }
        }
    }
    return image;
}

}  // namespace

std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> file)
{
    if (!IsPng(file)) {
        return std::nullopt;
    }
    // The skin's own kinds of PNG go the quick way; anything else, and any
    // file that way refuses, is read by the desktop codec.
    DecodedPicture direct;
    if (DecodePngDirect(file, direct) == DirectPng::Decoded) {
        return direct;
    }
    const auto wideTransparent = FindWideTransparentColour(file);
    QImage image = wideTransparent ? ReadWideWithTransparentColour(*wideTransparent) : ReadPng(file);
    if (image.isNull()) {
        return std::nullopt;
    }
    DecodedPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    // A palette picture keeps its colour table, unless it has transparent
    // entries: those are drawn with per-pixel alpha like any other picture
    // with transparency.
    if (IsPalettePicture(image) && !image.hasAlphaChannel()) {
        const QList<QRgb> table = image.colorTable();
        picture.format = DecodedPicture::Format::Palette8;
        picture.palette.assign(table.begin(), table.end());
        image = image.convertToFormat(QImage::Format_Indexed8, table);
        if (!CopyRowsBottomUp(image, 1, picture.pixels)) {
            return std::nullopt;
        }
        return picture;
    }
    if (image.hasAlphaChannel()) {
        picture.format = DecodedPicture::Format::Alpha32;
        image = image.convertToFormat(QImage::Format_ARGB32);
    } else {
        picture.format = DecodedPicture::Format::Opaque32;
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    // Format_(A)RGB32 is 0xAARRGGBB per pixel: blue, green, red, alpha in memory.
    if (!CopyRowsBottomUp(image, 4, picture.pixels)) {
        return std::nullopt;
    }
    return picture;
}

bool SaveBitmapAsPng(const CBitmap& bitmap, std::u16string_view path)
{
    if (bitmap.IsNull()) {
        return false;
    }
    const QImage view(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Pitch(), QImage::Format_ARGB32);
    return view.save(ToQString(path), "PNG");
}
