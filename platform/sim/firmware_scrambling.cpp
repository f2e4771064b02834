// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/firmware_scrambling.h"

namespace {

constexpr std::uint64_t kMask = 0x3D92E714B65AC1;
constexpr std::uint64_t k56Bits = (std::uint64_t{1} << 56) - 1;
constexpr std::size_t kGroupBytes = 7;
constexpr std::size_t kGroupStride = 8;
constexpr std::size_t kCommandLength = 8;

std::uint64_t Load(const std::uint8_t* before)
{
    std::uint64_t value = 0;
    for (std::size_t k = 1; k <= kGroupBytes; ++k) {
        value = (value << 8) | before[k];
    }
    return value;
}

void Store(std::uint64_t value, std::uint8_t* before)
{
    for (std::size_t k = kGroupBytes; k >= 1; --k) {
        before[k] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

std::uint64_t Rol(std::uint64_t value, int bits) { return ((value << bits) | (value >> (56 - bits))) & k56Bits; }

std::uint64_t Ror(std::uint64_t value, int bits) { return ((value >> bits) | (value << (56 - bits))) & k56Bits; }

void ForEachGroup(std::uint8_t* report, std::size_t length, void (*transform)(std::uint8_t*))
{
    if (length == kCommandLength) {
        transform(report);
        return;
    }
    for (std::size_t at = 1; at + kGroupBytes < length; at += kGroupStride) {
        transform(report + at);
    }
}

}  // namespace

void FirmwareEncodeGroup(std::uint8_t* before) { Store(Ror(Rol(Load(before), 2) ^ kMask, 3), before); }

void FirmwareDecodeGroup(std::uint8_t* before) { Store(Ror(Rol(Load(before), 3) ^ kMask, 2), before); }

void FirmwareEncodeReport(std::uint8_t* report, std::size_t length)
{
    ForEachGroup(report, length, FirmwareEncodeGroup);
}

void FirmwareDecodeReport(std::uint8_t* report, std::size_t length)
{
    ForEachGroup(report, length, FirmwareDecodeGroup);
}
