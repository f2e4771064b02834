// SPDX-License-Identifier: GPL-3.0-or-later
#include "pngwriter.h"

#include <spng.h>

#include <QHash>
#include <QSaveFile>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace skin {

namespace {

constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kRgba = 6;

struct Encoding {
    std::uint8_t colourType;
    int filters;  // SPNG_FILTER_CHOICE_* bits
    int level;    // zlib compression level
};

// The program decodes every picture again at each paint, so pictures are
// written for the decoder's speed first and their size second. Measured with
// bench/decode_bench's encoding sweep (instructions to decode main.png
// through the program's decoder, beside inflating its data alone):
//  - no row filter: 17.0 M against 12.4 M to inflate; Paeth rows 85.5 M,
//    adaptive filtering 57.5 M, Up 24.5 M, Sub 43.2 M, for files within 9 %
//    of the same size: unfiltering costs far more than inflating a few more
//    bytes;
//  - compression level 9: 17.0 M, against 17.8 M at 6 and 17.5 M at 1, and
//    the smallest file;
//  - a palette where a blended picture has at most 256 colours: the Apply
//    button decodes in 0.20 M instead of 0.27 M as RGBA, one byte per pixel
//    to inflate instead of four. Opaque pictures stay RGB, since the program
//    draws canvases from 32-bit pictures only.
Encoding EncodingFor(bool withAlpha, qsizetype colours)
{
    if (withAlpha && colours <= 256) {
        return {kPalette, SPNG_FILTER_CHOICE_NONE, 9};
    }
    return {withAlpha ? kRgba : kRgb, SPNG_FILTER_CHOICE_NONE, 9};
}

// The distinct colours of an ARGB32 picture, up to one more than a palette holds.
QList<QRgb> ColoursOf(const QImage& argb)
{
    QHash<QRgb, int> seen;
    QList<QRgb> colours;
    for (int y = 0; y < argb.height() && colours.size() <= 256; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width() && colours.size() <= 256; ++x) {
            if (!seen.contains(row[x])) {
                seen.insert(row[x], static_cast<int>(colours.size()));
                colours.append(row[x]);
            }
        }
    }
    return colours;
}

// The picture's samples as the PNG holds them, rows end to end.
std::vector<std::uint8_t> Samples(const QImage& argb, const Encoding& encoding, const QList<QRgb>& colours)
{
    const int channels = encoding.colourType == kPalette ? 1 : encoding.colourType == kRgb ? 3 : 4;
    std::vector<std::uint8_t> samples;
    samples.reserve(static_cast<std::size_t>(argb.width()) * argb.height() * channels);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = row[x];
            if (channels == 1) {
                samples.push_back(static_cast<std::uint8_t>(colours.indexOf(p)));
                continue;
            }
            samples.insert(samples.end(), {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                                           static_cast<std::uint8_t>(qBlue(p))});
            if (channels == 4) {
                samples.push_back(static_cast<std::uint8_t>(qAlpha(p)));
            }
        }
    }
    return samples;
}

void SetPalette(spng_ctx* context, const QList<QRgb>& colours)
{
    spng_plte plte{};
    spng_trns trns{};
    plte.n_entries = static_cast<std::uint32_t>(colours.size());
    trns.n_type3_entries = plte.n_entries;
    for (qsizetype i = 0; i < colours.size(); ++i) {
        plte.entries[i] = {static_cast<std::uint8_t>(qRed(colours[i])), static_cast<std::uint8_t>(qGreen(colours[i])),
                           static_cast<std::uint8_t>(qBlue(colours[i])), 0};
        trns.type3_alpha[i] = static_cast<std::uint8_t>(qAlpha(colours[i]));
    }
    spng_set_plte(context, &plte);
    spng_set_trns(context, &trns);
}

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

QByteArray Encode(const QImage& argb, const Encoding& encoding, const QList<QRgb>& colours)
{
    const std::unique_ptr<spng_ctx, ContextDeleter> context(spng_ctx_new(SPNG_CTX_ENCODER));
    spng_ctx* c = context.get();
    spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1);
    spng_set_option(c, SPNG_FILTER_CHOICE, encoding.filters);
    spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, encoding.level);
    spng_ihdr ihdr{static_cast<std::uint32_t>(argb.width()), static_cast<std::uint32_t>(argb.height()), 8,
                   encoding.colourType, 0, 0, 0};
    spng_set_ihdr(c, &ihdr);
    if (encoding.colourType == kPalette) {
        SetPalette(c, colours);
    }
    spng_phys phys{3780, 3780, 1};  // 96 dots per inch
    spng_set_phys(c, &phys);
    const std::vector<std::uint8_t> samples = Samples(argb, encoding, colours);
    int error = spng_encode_image(c, samples.data(), samples.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    std::size_t size = 0;
    void* png = error == 0 ? spng_get_png_buffer(c, &size, &error) : nullptr;
    if (png == nullptr) {
        throw std::runtime_error(std::string("cannot encode a picture: ") + spng_strerror(error));
    }
    QByteArray bytes(static_cast<const char*>(png), static_cast<qsizetype>(size));
    std::free(png);
    return bytes;
}

}  // namespace

QByteArray EncodePicture(const QImage& image, bool withAlpha)
{
    const QImage argb = image.convertToFormat(withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const QList<QRgb> colours = withAlpha ? ColoursOf(argb) : QList<QRgb>{};
    const Encoding encoding = EncodingFor(withAlpha, withAlpha ? colours.size() : 257);
    const QByteArray png = Encode(argb, encoding, colours);
    // Whatever the encoding, the file gives back exactly the pixels drawn,
    // transparent ones' colours included, read by the desktop codec.
    QImage back;
    if (!back.loadFromData(png, "PNG") || back.convertToFormat(argb.format()) != argb) {
        throw std::runtime_error("a picture's PNG does not give back its pixels");
    }
    return png;
}

void WritePicture(const QImage& image, bool withAlpha, const QString& path)
{
    const QByteArray bytes = EncodePicture(image, withAlpha);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
    }
}

}  // namespace skin
