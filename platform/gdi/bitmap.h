#pragma once
// A device-dependent bitmap: a 32-bit BGRA surface stored top-down, the
// pixel format every device context of the desktop draws in. Windows keep
// their canvases and off-screen buffers in these.

#include <cstdint>
#include <vector>

#include "platform/windef.h"

class CDC;

class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    CBitmap(CBitmap&&) noexcept = default;
    CBitmap& operator=(CBitmap&&) noexcept = default;
    ~CBitmap() = default;

    // Allocates a width x height surface, all bytes zero (black, alpha 0).
    // Any previous surface is released. Fails for a non-positive or
    // unreasonably large size and leaves the bitmap empty.
    bool CreateBitmap32(int width, int height);
    // A surface that can be selected into a context compatible with dc
    // (every context draws 32-bit BGRA, so dc only has to exist or be null).
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // Takes over pixels as the surface: width x height pixels stored as
    // Bits() keeps them. Fails, leaving the bitmap empty, for a size
    // CreateBitmap32 refuses or pixels of another length.
    bool AdoptBits32(int width, int height, std::vector<std::uint8_t>&& pixels);
    // Releases the surface; the bitmap is empty afterwards.
    void DeleteObject();

    bool IsNull() const { return m_width == 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Bytes per row; rows follow each other downwards without padding.
    int Pitch() const { return m_width * 4; }
    std::uint8_t* Bits() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const std::uint8_t* Bits() const { return m_bits.empty() ? nullptr : m_bits.data(); }

    // The pixel at (x, y), blue first. The caller keeps x and y in range.
    std::uint8_t* PixelAt(int x, int y) { return Bits() + static_cast<std::size_t>(y) * Pitch() + x * 4; }
    const std::uint8_t* PixelAt(int x, int y) const
    {
        return Bits() + static_cast<std::size_t>(y) * Pitch() + x * 4;
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bits;
};
