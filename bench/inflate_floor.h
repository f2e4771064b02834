// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The floor of decoding a PNG: inflating its compressed data alone (zlib,
// the inflater the program's decoder uses, checksum included), which every
// PNG decoder must do, into a buffer kept from one time to the next.

#include <cstdint>
#include <vector>

class CInflateFloor {
public:
    explicit CInflateFloor(const std::vector<std::uint8_t>& png);
    // Inflates the data once; false when it does not inflate.
    bool Run();

private:
    std::vector<std::uint8_t> m_compressed;  // the IDAT chunks' data end to end
    std::vector<std::uint8_t> m_raw;
};
