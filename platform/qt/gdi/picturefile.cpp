#include "platform/gdi/picturefile.h"

#include <cstring>

#include <QImage>
#include <QImageReader>
#include <QString>

#include "platform/gdi/bitmap.h"

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

// Copies the rows bottom row first, each padded to whole 32-bit words.
void CopyRowsBottomUp(const QImage& image, int bytesPerPixel, std::vector<std::uint8_t>& out)
{
    const std::size_t row = static_cast<std::size_t>(image.width()) * bytesPerPixel;
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    out.assign(stride * image.height(), 0);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(out.data() + stride * (image.height() - 1 - y), image.constScanLine(y), row);
    }
}

}  // namespace

std::optional<DecodedPicture> DecodePictureFile(std::u16string_view path)
{
    QImageReader reader(ToQString(path));
    reader.setAutoTransform(false);
    QImage image = reader.read();
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
        CopyRowsBottomUp(image, 1, picture.pixels);
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
    CopyRowsBottomUp(image, 4, picture.pixels);
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
