#include "platform/gdi/bitmap.h"

#include <utility>

namespace {

// Larger than any window or picture the program has; keeps a corrupt size
// from asking for gigabytes.
constexpr int kMaxSide = 16384;

bool AcceptableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

bool CBitmap::CreateBitmap32(int width, int height)
{
    DeleteObject();
    if (!AcceptableSize(width, height)) {
        return false;
    }
    m_bits.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    m_width = width;
    m_height = height;
    return true;
}

bool CBitmap::AdoptBits32(int width, int height, std::vector<std::uint8_t>&& pixels)
{
    DeleteObject();
    if (!AcceptableSize(width, height) ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    m_bits = std::move(pixels);
    m_width = width;
    m_height = height;
    return true;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height)
{
    return CreateBitmap32(width, height) ? TRUE : FALSE;
}

void CBitmap::DeleteObject()
{
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}
