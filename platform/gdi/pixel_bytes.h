// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory of a bitmap or a decoded picture: bytes from the C allocator,
// which a std::vector cannot hand out without writing every one first.
//
// A surface of zeros asks calloc, which for a large block takes fresh pages
// the system has already zeroed: a page costs nothing until it is first
// written, so a window surface nothing has drawn into yet costs no memory
// traffic. A picture the decoder is about to write in full is not filled
// beforehand either.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

class PixelBytes {
public:
    PixelBytes() = default;
    PixelBytes(PixelBytes&& other) noexcept;
    PixelBytes& operator=(PixelBytes&& other) noexcept;
    PixelBytes(const PixelBytes&) = delete;
    PixelBytes& operator=(const PixelBytes&) = delete;
    ~PixelBytes() = default;

    // size bytes, all zero. Empty when the memory cannot be had.
    static PixelBytes Zeroed(std::size_t size);
    // size bytes of no particular value, for a caller that writes every one
    // before anything reads them. Empty when the memory cannot be had.
    static PixelBytes ForOverwrite(std::size_t size);

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::uint8_t* data() { return m_bytes.get(); }
    const std::uint8_t* data() const { return m_bytes.get(); }
    std::uint8_t* begin() { return data(); }
    std::uint8_t* end() { return data() + m_size; }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + m_size; }
    std::uint8_t& operator[](std::size_t i) { return m_bytes.get()[i]; }
    std::uint8_t operator[](std::size_t i) const { return m_bytes.get()[i]; }
    // Gives the memory back; empty afterwards.
    void clear();

private:
    struct Free {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    PixelBytes(std::uint8_t* bytes, std::size_t size);

    std::unique_ptr<std::uint8_t, Free> m_bytes;
    std::size_t m_size = 0;
};
