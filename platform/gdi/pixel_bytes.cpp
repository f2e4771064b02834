// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/pixel_bytes.h"

#include <utility>

PixelBytes::PixelBytes(std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(bytes != nullptr ? size : 0) {}

PixelBytes::PixelBytes(PixelBytes&& other) noexcept
    : m_bytes(std::move(other.m_bytes)), m_size(std::exchange(other.m_size, 0))
{
}

PixelBytes& PixelBytes::operator=(PixelBytes&& other) noexcept
{
    m_bytes = std::move(other.m_bytes);
    m_size = std::exchange(other.m_size, 0);
    return *this;
}

PixelBytes PixelBytes::Zeroed(std::size_t size)
{
    return size == 0 ? PixelBytes() : PixelBytes(static_cast<std::uint8_t*>(std::calloc(size, 1)), size);
}

PixelBytes PixelBytes::ForOverwrite(std::size_t size)
{
    return size == 0 ? PixelBytes() : PixelBytes(static_cast<std::uint8_t*>(std::malloc(size)), size);
}

void PixelBytes::clear()
{
    m_bytes.reset();
    m_size = 0;
}
