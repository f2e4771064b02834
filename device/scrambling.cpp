// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/scrambling.h"

#include <array>

namespace {

constexpr int kGroupBytes = 7;
constexpr std::array<BYTE, kGroupBytes> kMask = {0x3D, 0x92, 0xE7, 0x14, 0xB6, 0x5A, 0xC1};

using Group = std::array<BYTE, kGroupBytes>;

BYTE Low8(unsigned value) { return static_cast<BYTE>(value & 0xFF); }

// Rotates the 56-bit group left by `bits` (1 to 7): each byte takes the top
// bits of the next one, the last byte those of the first.
Group RotateLeft(const Group& g, int bits)
{
    Group out{};
    for (int k = 0; k < kGroupBytes; ++k) {
        const BYTE next = g[(k + 1) % kGroupBytes];
        out[k] = Low8((g[k] << bits) | (next >> (8 - bits)));
    }
    return out;
}

// Rotates right by `bits`: each byte takes the low bits of the previous one,
// the first byte those of the last.
Group RotateRight(const Group& g, int bits)
{
    Group out{};
    for (int k = 0; k < kGroupBytes; ++k) {
        const BYTE previous = g[(k + kGroupBytes - 1) % kGroupBytes];
        out[k] = Low8((g[k] >> bits) | (previous << (8 - bits)));
    }
    return out;
}

Group XorMask(Group g)
{
    for (int k = 0; k < kGroupBytes; ++k) {
        g[k] ^= kMask[k];
    }
    return g;
}

Group Load(const BYTE* before)
{
    Group g{};
    for (int k = 0; k < kGroupBytes; ++k) {
        g[k] = before[1 + k];
    }
    return g;
}

void Store(const Group& g, BYTE* before)
{
    for (int k = 0; k < kGroupBytes; ++k) {
        before[1 + k] = g[k];
    }
}

constexpr int kDataGroups = 8;
constexpr int kDataGroupStride = 8;

}  // namespace

void EncodeGroup(BYTE* before) { Store(RotateRight(XorMask(RotateLeft(Load(before), 2)), 3), before); }

void DecodeGroup(BYTE* before) { Store(RotateRight(XorMask(RotateLeft(Load(before), 3)), 2), before); }

void EncodeCommandReport(BYTE* report) { EncodeGroup(report); }

void DecodeCommandReport(BYTE* report) { DecodeGroup(report); }

// Groups start at report bytes 1, 9, ..., 57 and change the seven bytes after
// each, so the last one ends at byte 64, the final byte of the report.
void EncodeDataReport(BYTE* report)
{
    for (int j = 0; j < kDataGroups; ++j) {
        EncodeGroup(report + 1 + kDataGroupStride * j);
    }
}

void DecodeDataReport(BYTE* report)
{
    for (int j = 0; j < kDataGroups; ++j) {
        DecodeGroup(report + 1 + kDataGroupStride * j);
    }
}
