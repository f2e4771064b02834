// SPDX-License-Identifier: GPL-3.0-or-later
// PNG decoding with libspng. Rows are decoded one at a time straight into
// their place in the decoded picture and turned into its pixel format there;
// only where the file's samples need widening (16 bits, fewer than 8 bits,
// palette look-ups) does a row pass through a buffer of one row first, and
// only an interlaced picture, whose passes visit every row several times, is
// decoded whole before its rows are placed.

#include <spng.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/picture_file.h"

namespace {

constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kGreyAlpha = 4;
constexpr std::uint8_t kRgba = 6;

struct SpngContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using SpngContext = std::unique_ptr<spng_ctx, SpngContextDeleter>;

// A context reading file, with its header read into ihdr; null when the file
// is not a PNG or its header is broken or beyond kMaxPictureSide. A chunk
// that fails its CRC is an error whatever its kind: the picture is broken.
SpngContext OpenPng(std::span<const std::uint8_t> file, spng_ihdr& ihdr)
{
    SpngContext context(spng_ctx_new(0));
    if (!context) {
        return nullptr;
    }
    spng_set_image_limits(context.get(), kMaxPictureSide, kMaxPictureSide);
    spng_set_chunk_limits(context.get(), kMaxPictureFileBytes, kMaxPictureFileBytes);
    spng_set_crc_action(context.get(), SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    if (spng_set_png_buffer(context.get(), file.data(), file.size()) != 0 ||
        spng_get_ihdr(context.get(), &ihdr) != 0) {
        return nullptr;
    }
    return context;
}

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

void Store32(std::uint8_t* p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

// A 16-bit sample to 8 bits, rounded to the nearest.
std::uint8_t To8(std::uint16_t v)
{
    return static_cast<std::uint8_t>((2u * v + 257u) / 514u);
}

// The picture's memory, rows bottom-up, each padded to whole 32-bit words.
// Decoding writes every byte of 32-bit rows, so those are not filled first;
// the padding of palette rows stays zero.
bool Start(DecodedPicture& picture, const spng_ihdr& ihdr, DecodedPicture::Format format)
{
    picture.format = format;
    picture.width = static_cast<int>(ihdr.width);
    picture.height = static_cast<int>(ihdr.height);
    const std::size_t row = static_cast<std::size_t>(ihdr.width) * (format == DecodedPicture::Format::Palette8 ? 1 : 4);
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    picture.pixels = stride == row ? PixelBytes::ForOverwrite(stride * ihdr.height)
                                   : PixelBytes::Zeroed(stride * ihdr.height);
    return !picture.pixels.empty();
}

// The decoded row for image row y (rows are kept bottom row first).
std::uint8_t* RowOf(DecodedPicture& picture, std::uint32_t y)
{
    const std::size_t stride = picture.pixels.size() / static_cast<std::size_t>(picture.height);
    return picture.pixels.data() + stride * (static_cast<std::size_t>(picture.height) - 1 - y);
}

// Decodes every row in libspng's format fmt. Row y is decoded into
// target(y), a buffer of a whole row in that format, and then handed to
// place(y, row) to be put into its final form. True when every row and the
// file's end read right.
template <typename Target, typename Place>
bool DecodeRows(spng_ctx* context, const spng_ihdr& ihdr, int fmt, int flags, Target target, Place place)
{
    std::size_t size = 0;
    if (spng_decoded_image_size(context, fmt, &size) != 0) {
        return false;
    }
    const std::size_t rowBytes = size / ihdr.height;
    if (ihdr.interlace_method != SPNG_INTERLACE_NONE) {
        std::vector<std::uint8_t> whole(size);
        if (spng_decode_image(context, whole.data(), size, fmt, flags) != 0) {
            return false;
        }
        for (std::uint32_t y = 0; y < ihdr.height; ++y) {
            place(y, whole.data() + rowBytes * y);
        }
    } else {
        if (spng_decode_image(context, nullptr, 0, fmt, flags | SPNG_DECODE_PROGRESSIVE) != 0) {
            return false;
        }
        for (std::uint32_t y = 0; y < ihdr.height; ++y) {
            spng_row_info info{};
            std::uint8_t* row = target(y);
            const int read = spng_get_row_info(context, &info) == 0 && info.row_num == y
                                 ? spng_decode_row(context, row, rowBytes)
                                 : SPNG_EINTERNAL;
            // The last row ends the image data.
            if (read != 0 && !(read == SPNG_EOI && y + 1 == ihdr.height)) {
                return false;
            }
            place(y, row);
        }
    }
    // The chunks after the image data, up to the end of the file.
    return spng_decode_chunks(context) == 0;
}

// A buffer of one row, for rows whose samples are widened on the way.
class CRowBuffer {
public:
    std::uint8_t* operator()(std::uint32_t) { return m_row.data(); }
    explicit CRowBuffer(std::size_t bytes) : m_row(bytes) {}

private:
    std::vector<std::uint8_t> m_row;
};

// Samples of fewer than 8 bits, one byte each.
void Unpack(const std::uint8_t* packed, unsigned depth, std::uint32_t width, std::uint8_t* samples)
{
    if (depth == 8) {
        std::memcpy(samples, packed, width);
        return;
    }
    const unsigned mask = (1u << depth) - 1u;
    for (std::uint32_t x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * depth;
        samples[x] = static_cast<std::uint8_t>((packed[bit / 8] >> (8 - depth - bit % 8)) & mask);
    }
}

std::size_t PackedRowBytes(const spng_ihdr& ihdr)
{
    return (static_cast<std::size_t>(ihdr.width) * ihdr.bit_depth + 7) / 8;
}

// Palette pictures keep their palette unless an entry is transparent, when
// it becomes per-pixel alpha; an index beyond the palette means entry 0.
std::optional<DecodedPicture> DecodePalette(spng_ctx* context, const spng_ihdr& ihdr)
{
    spng_plte plte{};
    if (spng_get_plte(context, &plte) != 0 || plte.n_entries == 0) {
        return std::nullopt;
    }
    spng_trns trns{};
    const bool hasTrns = spng_get_trns(context, &trns) == 0;
    std::array<std::uint32_t, 256> table{};
    bool transparent = false;
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        const std::uint32_t alpha = hasTrns && i < trns.n_type3_entries ? trns.type3_alpha[i] : 255;
        transparent = transparent || alpha != 255;
        table[i] = Argb(alpha, plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue);
    }
    std::fill(table.begin() + plte.n_entries, table.end(), table[0]);
    const std::uint8_t last = static_cast<std::uint8_t>(plte.n_entries - 1);
    const std::uint32_t width = ihdr.width;
    DecodedPicture picture;
    if (!Start(picture, ihdr, transparent ? DecodedPicture::Format::Alpha32 : DecodedPicture::Format::Palette8)) {
        return std::nullopt;
    }
    bool decoded = false;
    if (!transparent && ihdr.bit_depth == 8) {
        // The indices go straight into the rows; those beyond the palette become 0.
        decoded = DecodeRows(context, ihdr, SPNG_FMT_PNG, 0, [&](std::uint32_t y) { return RowOf(picture, y); },
            [&](std::uint32_t y, const std::uint8_t* row) {
                std::uint8_t* out = RowOf(picture, y);
                for (std::uint32_t x = 0; x < width; ++x) {
                    out[x] = row[x] > last ? 0 : row[x];
                }
            });
    } else {
        std::vector<std::uint8_t> indices(width);
        decoded = DecodeRows(context, ihdr, SPNG_FMT_PNG, 0, CRowBuffer(PackedRowBytes(ihdr)),
            [&](std::uint32_t y, const std::uint8_t* row) {
                Unpack(row, ihdr.bit_depth, width, indices.data());
                std::uint8_t* out = RowOf(picture, y);
                for (std::uint32_t x = 0; x < width; ++x) {
                    if (transparent) {
                        Store32(out + 4 * x, table[indices[x]]);
                    } else {
                        out[x] = indices[x] > last ? 0 : indices[x];
                    }
                }
            });
    }
    if (!decoded) {
        return std::nullopt;
    }
    if (!transparent) {
        picture.palette.assign(table.begin(), table.begin() + plte.n_entries);
    }
    return picture;
}

// Grey pictures of up to 8 bits: a grey palette below 8 bits (white first at
// 1 bit), plain grey at 8, per-pixel alpha with a transparent grey. The
// transparent grey becomes transparent black, except in a 1-bit picture,
// where it keeps its colour.
std::optional<DecodedPicture> DecodeGrey(spng_ctx* context, const spng_ihdr& ihdr)
{
    const unsigned levels = 1u << ihdr.bit_depth;
    spng_trns trns{};
    const bool hasTrns = spng_get_trns(context, &trns) == 0 && trns.gray < levels;
    std::vector<std::uint32_t> table(levels);
    for (unsigned v = 0; v < levels; ++v) {
        const std::uint32_t level = v * 255 / (levels - 1);
        const bool clear = hasTrns && v == trns.gray;
        table[v] = clear ? (ihdr.bit_depth == 1 ? Argb(0, level, level, level) : 0) : Argb(255, level, level, level);
    }
    const auto format = hasTrns               ? DecodedPicture::Format::Alpha32
                        : ihdr.bit_depth == 8 ? DecodedPicture::Format::Opaque32
                                              : DecodedPicture::Format::Palette8;
    DecodedPicture picture;
    if (!Start(picture, ihdr, format)) {
        return std::nullopt;
    }
    const std::uint32_t width = ihdr.width;
    std::vector<std::uint8_t> samples(width);
    const bool decoded = DecodeRows(context, ihdr, SPNG_FMT_PNG, 0, CRowBuffer(PackedRowBytes(ihdr)),
        [&](std::uint32_t y, const std::uint8_t* row) {
            Unpack(row, ihdr.bit_depth, width, samples.data());
            std::uint8_t* out = RowOf(picture, y);
            for (std::uint32_t x = 0; x < width; ++x) {
                if (format == DecodedPicture::Format::Palette8) {
                    out[x] = ihdr.bit_depth == 1 ? static_cast<std::uint8_t>(1 - samples[x]) : samples[x];
                } else {
                    Store32(out + 4 * x, table[samples[x]]);
                }
            }
        });
    if (!decoded) {
        return std::nullopt;
    }
    if (format == DecodedPicture::Format::Palette8) {
        picture.palette = ihdr.bit_depth == 1 ? std::vector<std::uint32_t>{table[1], table[0]} : std::move(table);
    }
    return picture;
}

bool HasTransparentColour(spng_ctx* context, const spng_ihdr& ihdr)
{
    spng_trns trns{};
    if (ihdr.color_type == kGreyAlpha || ihdr.color_type == kRgba || spng_get_trns(context, &trns) != 0) {
        return false;
    }
    // A transparent colour outside the samples' range is ignored.
    const std::uint32_t limit = 1u << ihdr.bit_depth;
    return ihdr.color_type == kGrey ? trns.gray < limit
                                    : trns.red < limit && trns.green < limit && trns.blue < limit;
}

// Everything else. 8 bits per sample are decoded as RGBA straight into the
// rows, where red and blue trade places; 16 bits through a row of RGBA16.
std::optional<DecodedPicture> DecodeTrueColour(spng_ctx* context, const spng_ihdr& ihdr)
{
    const bool alpha =
        ihdr.color_type == kGreyAlpha || ihdr.color_type == kRgba || HasTransparentColour(context, ihdr);
    DecodedPicture picture;
    if (!Start(picture, ihdr, alpha ? DecodedPicture::Format::Alpha32 : DecodedPicture::Format::Opaque32)) {
        return std::nullopt;
    }
    const std::uint32_t opaque = alpha ? 0 : 0xFF000000u;
    const std::size_t width = ihdr.width;
    const int flags = alpha ? SPNG_DECODE_TRNS : 0;
    bool decoded = false;
    if (ihdr.bit_depth != 16) {
        decoded = DecodeRows(context, ihdr, SPNG_FMT_RGBA8, flags, [&](std::uint32_t y) { return RowOf(picture, y); },
            [&](std::uint32_t y, const std::uint8_t* row) {
                std::uint8_t* out = RowOf(picture, y);
                for (std::size_t x = 0; x < width; ++x) {
                    std::uint32_t v;
                    std::memcpy(&v, row + 4 * x, 4);
                    Store32(out + 4 * x, (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16) | opaque);
                }
            });
    } else {
        decoded = DecodeRows(context, ihdr, SPNG_FMT_RGBA16, flags, CRowBuffer(width * 8),
            [&](std::uint32_t y, const std::uint8_t* row) {
                std::uint8_t* out = RowOf(picture, y);
                for (std::size_t x = 0; x < width; ++x, out += 4) {
                    std::array<std::uint16_t, 4> rgba;
                    std::memcpy(rgba.data(), row + 8 * x, 8);
                    out[0] = To8(rgba[2]);
                    out[1] = To8(rgba[1]);
                    out[2] = To8(rgba[0]);
                    out[3] = alpha ? To8(rgba[3]) : 255;
                }
            });
    }
    if (!decoded) {
        return std::nullopt;
    }
    return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> file)
{
    spng_ihdr ihdr{};
    const SpngContext context = OpenPng(file, ihdr);
    if (!context) {
        return std::nullopt;
    }
    if (ihdr.color_type == kPalette) {
        return DecodePalette(context.get(), ihdr);
    }
    if (ihdr.color_type == kGrey && ihdr.bit_depth <= 8) {
        return DecodeGrey(context.get(), ihdr);
    }
    return DecodeTrueColour(context.get(), ihdr);
}
