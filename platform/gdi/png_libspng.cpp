// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/png_libspng.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/gdi/spng_context.h"

namespace {

constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kGreyAlpha = 4;
constexpr std::uint8_t kRgba = 6;

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// A 16-bit sample to 8 bits, rounded to the nearest as the desktop codec does.
std::uint8_t To8(std::uint16_t v)
{
    return static_cast<std::uint8_t>((2u * v + 257u) / 514u);
}

// Rows bottom-up, each padded to whole 32-bit words, as DecodedPicture keeps them.
struct Rows {
    std::size_t stride;
    int height;
    std::uint8_t* Row(PixelBytes& pixels, std::uint32_t y) const
    {
        return pixels.data() + stride * static_cast<std::size_t>(height - 1 - static_cast<int>(y));
    }
};

DecodedPicture Start(const spng_ihdr& ihdr, DecodedPicture::Format format)
{
    DecodedPicture picture;
    picture.format = format;
    picture.width = static_cast<int>(ihdr.width);
    picture.height = static_cast<int>(ihdr.height);
    const std::size_t row = static_cast<std::size_t>(ihdr.width) * (format == DecodedPicture::Format::Palette8 ? 1 : 4);
    picture.pixels = PixelBytes::Zeroed(((row + 3) & ~std::size_t{3}) * ihdr.height);
    return picture;
}

Rows RowsOf(const DecodedPicture& picture)
{
    return {picture.pixels.size() / static_cast<std::size_t>(picture.height), picture.height};
}

// The samples of a grey or palette picture as the file has them, one byte
// each however many bits they take in the file.
std::optional<std::vector<std::uint8_t>> DecodeSamples(spng_ctx* context, const spng_ihdr& ihdr)
{
    std::size_t size = 0;
    if (spng_decoded_image_size(context, SPNG_FMT_PNG, &size) != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> packed(size);
    if (spng_decode_image(context, packed.data(), size, SPNG_FMT_PNG, 0) != 0) {
        return std::nullopt;
    }
    const unsigned depth = ihdr.bit_depth;
    if (depth == 8) {
        return packed;
    }
    const std::size_t stride = size / ihdr.height;
    const unsigned mask = (1u << depth) - 1u;
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(ihdr.width) * ihdr.height);
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        const std::uint8_t* row = packed.data() + stride * y;
        for (std::uint32_t x = 0; x < ihdr.width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * depth;
            samples[static_cast<std::size_t>(y) * ihdr.width + x] =
                static_cast<std::uint8_t>((row[bit / 8] >> (8 - depth - bit % 8)) & mask);
        }
    }
    return samples;
}

// Palette pictures keep their palette unless an entry is transparent; an
// index beyond the palette means entry 0.
std::optional<DecodedPicture> DecodePalette(spng_ctx* context, const spng_ihdr& ihdr)
{
    spng_plte plte{};
    if (spng_get_plte(context, &plte) != 0 || plte.n_entries == 0) {
        return std::nullopt;
    }
    spng_trns trns{};
    const bool hasTrns = spng_get_trns(context, &trns) == 0;
    std::vector<std::uint32_t> table(plte.n_entries);
    bool transparent = false;
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        const std::uint32_t alpha = hasTrns && i < trns.n_type3_entries ? trns.type3_alpha[i] : 255;
        transparent = transparent || alpha != 255;
        table[i] = Argb(alpha, plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue);
    }
    const auto samples = DecodeSamples(context, ihdr);
    if (!samples) {
        return std::nullopt;
    }
    DecodedPicture picture =
        Start(ihdr, transparent ? DecodedPicture::Format::Alpha32 : DecodedPicture::Format::Palette8);
    if (picture.pixels.empty()) {
        return std::nullopt;
    }
    const Rows rows = RowsOf(picture);
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        std::uint8_t* out = rows.Row(picture.pixels, y);
        const std::uint8_t* in = samples->data() + static_cast<std::size_t>(y) * ihdr.width;
        for (std::uint32_t x = 0; x < ihdr.width; ++x) {
            const std::uint8_t index = in[x] < table.size() ? in[x] : 0;
            if (!transparent) {
                out[x] = index;
                continue;
            }
            const std::uint32_t argb = table[index];
            std::copy_n(reinterpret_cast<const std::uint8_t*>(&argb), 4, out + 4 * x);
        }
    }
    if (!transparent) {
        picture.palette = std::move(table);
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
    const auto samples = DecodeSamples(context, ihdr);
    if (!samples) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> table(levels);
    for (unsigned v = 0; v < levels; ++v) {
        const std::uint32_t level = v * 255 / (levels - 1);
        const bool clear = hasTrns && v == trns.gray;
        table[v] = clear ? (ihdr.bit_depth == 1 ? Argb(0, level, level, level) : 0) : Argb(255, level, level, level);
    }
    const auto format = hasTrns               ? DecodedPicture::Format::Alpha32
                        : ihdr.bit_depth == 8 ? DecodedPicture::Format::Opaque32
                                              : DecodedPicture::Format::Palette8;
    DecodedPicture picture = Start(ihdr, format);
    if (picture.pixels.empty()) {
        return std::nullopt;
    }
    const Rows rows = RowsOf(picture);
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        std::uint8_t* out = rows.Row(picture.pixels, y);
        const std::uint8_t* in = samples->data() + static_cast<std::size_t>(y) * ihdr.width;
        if (format == DecodedPicture::Format::Palette8) {
            for (std::uint32_t x = 0; x < ihdr.width; ++x) {
                out[x] = ihdr.bit_depth == 1 ? static_cast<std::uint8_t>(1 - in[x]) : in[x];
            }
            continue;
        }
        for (std::uint32_t x = 0; x < ihdr.width; ++x) {
            const std::uint32_t argb = table[in[x]];
            std::copy_n(reinterpret_cast<const std::uint8_t*>(&argb), 4, out + 4 * x);
        }
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

// Everything else: 8 bits per sample through RGBA8, 16 through RGBA16.
std::optional<DecodedPicture> DecodeTrueColour(spng_ctx* context, const spng_ihdr& ihdr)
{
    const bool alpha =
        ihdr.color_type == kGreyAlpha || ihdr.color_type == kRgba || HasTransparentColour(context, ihdr);
    const bool wide = ihdr.bit_depth == 16;
    const int format = wide ? SPNG_FMT_RGBA16 : SPNG_FMT_RGBA8;
    std::size_t size = 0;
    if (spng_decoded_image_size(context, format, &size) != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> decoded(size);
    if (spng_decode_image(context, decoded.data(), size, format, alpha ? SPNG_DECODE_TRNS : 0) != 0) {
        return std::nullopt;
    }
    DecodedPicture picture = Start(ihdr, alpha ? DecodedPicture::Format::Alpha32 : DecodedPicture::Format::Opaque32);
    if (picture.pixels.empty()) {
        return std::nullopt;
    }
    const Rows rows = RowsOf(picture);
    const std::size_t inStride = size / ihdr.height;
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        std::uint8_t* out = rows.Row(picture.pixels, y);
        const std::uint8_t* in = decoded.data() + inStride * y;
        for (std::uint32_t x = 0; x < ihdr.width; ++x, out += 4) {
            std::array<std::uint8_t, 4> rgba{};
            if (wide) {
                const auto* samples = reinterpret_cast<const std::uint16_t*>(in) + 4 * x;
                rgba = {To8(samples[0]), To8(samples[1]), To8(samples[2]), To8(samples[3])};
            } else {
                std::copy_n(in + 4 * x, 4, rgba.begin());
            }
            out[0] = rgba[2];
            out[1] = rgba[1];
            out[2] = rgba[0];
            out[3] = alpha ? rgba[3] : 255;
        }
    }
    return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodePngWithLibspng(std::span<const std::uint8_t> file)
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
