// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/png_direct.h"

#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

#include "platform/gdi/png_rows.h"
#include "platform/gdi/spng_context.h"

namespace {

constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kRgba = 6;

bool Takes(spng_ctx* context, const spng_ihdr& ihdr)
{
    if (ihdr.bit_depth != 8 || ihdr.interlace_method != 0) {
        return false;
    }
    spng_trns trns{};
    // A transparent colour in an RGB picture is left to the general path.
    return ihdr.color_type == kRgba || ihdr.color_type == kPalette ||
           (ihdr.color_type == kRgb && spng_get_trns(context, &trns) != 0);
}

// Room for the decoded rows; false when the memory cannot be had. Every
// byte of 32-bit rows is written by the decoding, so they are not filled
// first; palette rows may end in padding, which is zero.
bool Allocate(DecodedPicture& picture, const spng_ihdr& ihdr, DecodedPicture::Format format)
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

std::uint32_t Load32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void Store32(std::uint8_t* p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

// RGBA bytes to BGRA: red and blue trade places in each pixel.
void SwapRedAndBlue(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
    std::size_t x = 0;
#ifdef __SSE2__
    const __m128i keep = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
    const __m128i low = _mm_set1_epi32(0xFF);
    for (; x + 4 <= pixels; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * x));
        const __m128i red = _mm_and_si128(v, low);
        const __m128i blue = _mm_and_si128(_mm_srli_epi32(v, 16), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * x),
                         _mm_or_si128(_mm_and_si128(v, keep), _mm_or_si128(_mm_slli_epi32(red, 16), blue)));
    }
#endif
    for (; x < pixels; ++x) {
        const std::uint32_t v = Load32(in + 4 * x);
        Store32(out + 4 * x, (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16));
    }
}

// RGB bytes to opaque BGRA pixels.
void ExpandRgbScalar(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
    for (std::size_t x = 0; x < pixels; ++x, in += 3, out += 4) {
        Store32(out, 0xFF000000u | (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2]);
    }
}

#ifdef __SSE2__
// Four pixels a step with one byte shuffle, on every processor that has one.
__attribute__((target("ssse3"))) void ExpandRgbShuffled(const std::uint8_t* in, std::uint8_t* out,
                                                        std::size_t pixels)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    std::size_t x = 0;
    // Each step loads 16 bytes, of which it uses 12: stop while 16 remain.
    for (; x + 6 <= pixels; x += 4) {
        const __m128i rgb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * x), _mm_or_si128(_mm_shuffle_epi8(rgb, order), opaque));
    }
    ExpandRgbScalar(in + 3 * x, out + 4 * x, pixels - x);
}
#endif

void ExpandRgb(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
#ifdef __SSE2__
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    if (shuffles) {
        ExpandRgbShuffled(in, out, pixels);
        return;
    }
#endif
    ExpandRgbScalar(in, out, pixels);
}

// Palette indices to the table's BGRA pixels.
void LookUp(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels, const std::uint32_t* table)
{
    for (std::size_t x = 0; x < pixels; ++x, out += 4) {
        Store32(out, table[in[x]]);
    }
}

// Reads every row of the image data in order, handing each, unfiltered, to
// place(y, row). True when the whole image and the file's end read right.
template <typename Place>
bool DecodeRows(std::span<const std::uint8_t> file, const spng_ihdr& ihdr, std::size_t pixelBytes, Place place)
{
    CPngRows rows(file, pixelBytes * ihdr.width, pixelBytes, ihdr.height);
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        const std::uint8_t* row = rows.Next();
        if (row == nullptr) {
            return false;
        }
        place(y, row);
    }
    return rows.Finish();
}

// The decoded row for image row y (rows are kept bottom row first).
std::uint8_t* RowOf(DecodedPicture& picture, std::uint32_t y)
{
    const std::size_t stride = picture.pixels.size() / static_cast<std::size_t>(picture.height);
    return picture.pixels.data() + stride * (static_cast<std::size_t>(picture.height) - 1 - y);
}

bool DecodeTrueColour(std::span<const std::uint8_t> file, const spng_ihdr& ihdr, DecodedPicture& picture)
{
    const std::size_t width = ihdr.width;
    if (ihdr.color_type == kRgba) {
        return Allocate(picture, ihdr, DecodedPicture::Format::Alpha32) &&
               DecodeRows(file, ihdr, 4, [&](std::uint32_t y, const std::uint8_t* row) {
                   SwapRedAndBlue(row, RowOf(picture, y), width);
               });
    }
    return Allocate(picture, ihdr, DecodedPicture::Format::Opaque32) &&
           DecodeRows(file, ihdr, 3,
                      [&](std::uint32_t y, const std::uint8_t* row) { ExpandRgb(row, RowOf(picture, y), width); });
}

// A palette picture keeps its palette unless an entry is transparent, when
// it becomes per-pixel alpha; an index beyond the palette means entry 0.
bool DecodePalette(spng_ctx* context, std::span<const std::uint8_t> file, const spng_ihdr& ihdr,
                   DecodedPicture& picture)
{
    spng_plte plte{};
    if (spng_get_plte(context, &plte) != 0 || plte.n_entries == 0) {
        return false;
    }
    spng_trns trns{};
    const bool hasTrns = spng_get_trns(context, &trns) == 0;
    std::uint32_t table[256];
    bool transparent = false;
    for (std::uint32_t i = 0; i < 256; ++i) {
        const spng_plte_entry& entry = plte.entries[i < plte.n_entries ? i : 0];
        const std::uint32_t alpha = hasTrns && i < trns.n_type3_entries ? trns.type3_alpha[i] : 255;
        transparent = transparent || (i < plte.n_entries && alpha != 255);
        table[i] = (alpha << 24) | (std::uint32_t{entry.red} << 16) | (std::uint32_t{entry.green} << 8) | entry.blue;
    }
    // Indices beyond the palette take entry 0, transparency included.
    for (std::uint32_t i = plte.n_entries; i < 256; ++i) {
        table[i] = table[0];
    }
    const std::size_t width = ihdr.width;
    if (transparent) {
        return Allocate(picture, ihdr, DecodedPicture::Format::Alpha32) &&
               DecodeRows(file, ihdr, 1, [&](std::uint32_t y, const std::uint8_t* row) {
                   LookUp(row, RowOf(picture, y), width, table);
               });
    }
    if (!Allocate(picture, ihdr, DecodedPicture::Format::Palette8)) {
        return false;
    }
    picture.palette.assign(table, table + plte.n_entries);
    const std::uint8_t entries = static_cast<std::uint8_t>(plte.n_entries - 1);
    return DecodeRows(file, ihdr, 1, [&](std::uint32_t y, const std::uint8_t* row) {
        std::uint8_t* out = RowOf(picture, y);
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = row[x] > entries ? 0 : row[x];
        }
    });
}

}  // namespace

DirectPng DecodePngDirect(std::span<const std::uint8_t> file, DecodedPicture& picture)
{
    spng_ihdr ihdr{};
    const SpngContext context = OpenPng(file, ihdr);
    if (!context) {
        return DirectPng::NotHandled;
    }
    if (!Takes(context.get(), ihdr)) {
        return DirectPng::NotHandled;
    }
    // libspng checks the chunks before the image data; the image data and
    // the chunks after it, up to IEND, are read here. A file cut short after
    // its pixels is as broken as one cut inside them.
    if (spng_decode_chunks(context.get()) != 0) {
        return DirectPng::Refused;
    }
    const bool decoded = ihdr.color_type == kPalette ? DecodePalette(context.get(), file, ihdr, picture)
                                                     : DecodeTrueColour(file, ihdr, picture);
    return decoded ? DirectPng::Decoded : DirectPng::Refused;
}
