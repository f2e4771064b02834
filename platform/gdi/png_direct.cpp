// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/png_direct.h"

#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

#include "platform/gdi/png_rows.h"

namespace {

constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kRgba = 6;

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// What the chunks before the image data say.
struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t colourType = 0;
    std::uint32_t paletteEntries = 0;  // 0: no palette
    std::uint32_t palette[256] = {};   // 0x00RRGGBB
    bool hasTransparency = false;      // a tRNS chunk
    std::uint32_t alphaEntries = 0;    // palette: alpha of the first entries
    std::uint8_t alpha[256] = {};
    std::size_t dataAt = 0;            // the first IDAT chunk
};

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kFirstChunkAt = sizeof kSignature;

// Reads the chunks before the image data into header. Decoded when the file
// is a PNG this path takes (8 bits a sample, not interlaced, RGB without a
// transparent colour, RGBA or palette, within kMaxPictureSide) and they are
// all sound; Refused when it is such a PNG but one of those chunks is broken
// or out of place; NotHandled for any other file.
DirectPng ReadHeader(std::span<const std::uint8_t> file, Header& header)
{
    PngChunk ihdr;
    if (file.size() < kFirstChunkAt || std::memcmp(file.data(), kSignature, sizeof kSignature) != 0 ||
        !ReadPngChunk(file, kFirstChunkAt, ihdr) || !ihdr.Is("IHDR") || ihdr.length != 13) {
        return DirectPng::NotHandled;
    }
    header.width = Be32(ihdr.data);
    header.height = Be32(ihdr.data + 4);
    header.colourType = ihdr.data[9];
    const bool kind = ihdr.data[8] == 8 &&
                      (header.colourType == kRgb || header.colourType == kRgba || header.colourType == kPalette);
    // Compression, filter method, interlacing.
    const bool plain = ihdr.data[10] == 0 && ihdr.data[11] == 0 && ihdr.data[12] == 0;
    if (!kind || !plain || header.width == 0 || header.height == 0 ||
        header.width > static_cast<std::uint32_t>(kMaxPictureSide) ||
        header.height > static_cast<std::uint32_t>(kMaxPictureSide)) {
        return DirectPng::NotHandled;
    }
    bool seenPalette = false;
    for (std::size_t at = kFirstChunkAt + 12 + ihdr.length;;) {
        PngChunk chunk;
        if (!ReadPngChunk(file, at, chunk)) {
            return DirectPng::Refused;
        }
        if (chunk.Is("IDAT")) {
            header.dataAt = at;
            break;
        }
        at += 12 + std::size_t{chunk.length};
        if (chunk.Is("PLTE")) {
            const std::uint32_t entries = chunk.length / 3;
            if (seenPalette || header.hasTransparency || chunk.length % 3 != 0 || entries == 0 || entries > 256) {
                return DirectPng::Refused;
            }
            seenPalette = true;
            // A suggested palette of a truecolour picture changes nothing.
            if (header.colourType == kPalette) {
                header.paletteEntries = entries;
                for (std::uint32_t i = 0; i < entries; ++i) {
                    const std::uint8_t* rgb = chunk.data + 3 * i;
                    header.palette[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
                }
            }
        } else if (chunk.Is("tRNS")) {
            if (header.hasTransparency || header.colourType == kRgba ||
                (header.colourType == kPalette && (!seenPalette || chunk.length > header.paletteEntries))) {
                return DirectPng::Refused;
            }
            header.hasTransparency = true;
            if (header.colourType == kPalette) {
                header.alphaEntries = chunk.length;
                std::memcpy(header.alpha, chunk.data, chunk.length);
            }
        } else if (chunk.IsCritical()) {
            return DirectPng::Refused;  // IHDR again, IEND before any data, or one unknown
        }
    }
    if (header.colourType == kPalette && header.paletteEntries == 0) {
        return DirectPng::Refused;
    }
    // A transparent colour in an RGB picture is left to the general path.
    return header.colourType == kRgb && header.hasTransparency ? DirectPng::NotHandled : DirectPng::Decoded;
}

// Room for the decoded rows; false when the memory cannot be had. Every
// byte of 32-bit rows is written by the decoding, so they are not filled
// first; palette rows may end in padding, which is zero.
bool Allocate(DecodedPicture& picture, const Header& header, DecodedPicture::Format format)
{
    picture.format = format;
    picture.width = static_cast<int>(header.width);
    picture.height = static_cast<int>(header.height);
    const std::size_t row = static_cast<std::size_t>(header.width) * (format == DecodedPicture::Format::Palette8 ? 1 : 4);
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    picture.pixels = stride == row ? PixelBytes::ForOverwrite(stride * header.height)
                                   : PixelBytes::Zeroed(stride * header.height);
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
bool DecodeRows(std::span<const std::uint8_t> file, const Header& header, std::size_t pixelBytes, Place place)
{
    CPngRows rows(file, header.dataAt, pixelBytes * header.width, pixelBytes, header.height);
    for (std::uint32_t y = 0; y < header.height; ++y) {
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

bool DecodeTrueColour(std::span<const std::uint8_t> file, const Header& header, DecodedPicture& picture)
{
    const std::size_t width = header.width;
    if (header.colourType == kRgba) {
        return Allocate(picture, header, DecodedPicture::Format::Alpha32) &&
               DecodeRows(file, header, 4, [&](std::uint32_t y, const std::uint8_t* row) {
                   SwapRedAndBlue(row, RowOf(picture, y), width);
               });
    }
    return Allocate(picture, header, DecodedPicture::Format::Opaque32) &&
           DecodeRows(file, header, 3,
                      [&](std::uint32_t y, const std::uint8_t* row) { ExpandRgb(row, RowOf(picture, y), width); });
}

// A palette picture keeps its palette unless an entry is transparent, when
// it becomes per-pixel alpha; an index beyond the palette means entry 0.
bool DecodePalette(std::span<const std::uint8_t> file, const Header& header, DecodedPicture& picture)
{
    std::uint32_t table[256];
    bool transparent = false;
    for (std::uint32_t i = 0; i < 256; ++i) {
        const std::uint32_t entry = header.palette[i < header.paletteEntries ? i : 0];
        const std::uint32_t alpha = i < header.alphaEntries ? header.alpha[i] : 255;
        transparent = transparent || (i < header.paletteEntries && alpha != 255);
        table[i] = (alpha << 24) | entry;
    }
    // Indices beyond the palette take entry 0, transparency included.
    for (std::uint32_t i = header.paletteEntries; i < 256; ++i) {
        table[i] = table[0];
    }
    const std::size_t width = header.width;
    if (transparent) {
        return Allocate(picture, header, DecodedPicture::Format::Alpha32) &&
               DecodeRows(file, header, 1, [&](std::uint32_t y, const std::uint8_t* row) {
                   LookUp(row, RowOf(picture, y), width, table);
               });
    }
    if (!Allocate(picture, header, DecodedPicture::Format::Palette8)) {
        return false;
    }
    picture.palette.assign(table, table + header.paletteEntries);
    const std::uint8_t entries = static_cast<std::uint8_t>(header.paletteEntries - 1);
    return DecodeRows(file, header, 1, [&](std::uint32_t y, const std::uint8_t* row) {
        std::uint8_t* out = RowOf(picture, y);
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = row[x] > entries ? 0 : row[x];
        }
    });
}

}  // namespace

DirectPng DecodePngDirect(std::span<const std::uint8_t> file, DecodedPicture& picture)
{
    Header header;
    const DirectPng read = ReadHeader(file, header);
    if (read != DirectPng::Decoded) {
        return read;
    }
    const bool decoded = header.colourType == kPalette ? DecodePalette(file, header, picture)
                                                       : DecodeTrueColour(file, header, picture);
    return decoded ? DirectPng::Decoded : DirectPng::Refused;
}
