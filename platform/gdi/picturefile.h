#pragma once
// Picture files, read and written by the desktop backend's codecs. The
// decoded form keeps what the file says about transparency and palettes;
// CImage turns it into a loaded image.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class CBitmap;

struct DecodedPicture {
    enum class Format {
        Alpha32,   // BGRA, straight alpha: the file has transparency
        Opaque32,  // BGRA, alpha 255
        Palette8,  // one byte per pixel indexing palette
    };
    Format format = Format::Opaque32;
    int width = 0;
    int height = 0;
    // Rows as a device-independent bitmap keeps them: the bottom row first,
    // each row padded to a multiple of 4 bytes (width * 4 bytes for 32-bit).
    std::vector<std::uint8_t> pixels;
    // 0xAARRGGBB entries, Palette8 only.
    std::vector<std::uint32_t> palette;
};

// Nothing when the file is missing, unreadable or not a picture.
std::optional<DecodedPicture> DecodePictureFile(std::u16string_view path);

// Writes bitmap as a PNG with its alpha bytes; false when it cannot.
bool SaveBitmapAsPng(const CBitmap& bitmap, std::u16string_view path);
