// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/dpi_tables.h"

#include <array>

namespace {

// Table 0 has sixteen entries in the mouse's layout; the last four are never offered.
constexpr std::array<std::uint8_t, 16> kDpiCodes0 = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                                     0x25, 0x26, 0x27, 0x28, 0x00, 0x00, 0x00, 0x00};
constexpr std::array<std::uint8_t, 8> kDpiCodes1 = {0x01, 0x02, 0x03, 0x04, 0x05, 0x23, 0x24, 0x25};
constexpr std::array<std::uint8_t, 8> kDpiCodes2 = {0x02, 0x04, 0x06, 0x08, 0x0A, 0x26, 0x28, 0x2A};
constexpr std::array<std::uint8_t, 8> kDpiCodes3 = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};

constexpr std::array<std::u16string_view, 12> kDpiValues0 = {u"250",  u"500",  u"750",  u"1000",
                                                             u"1250", u"1500", u"1750", u"2000",
                                                             u"2500", u"3000", u"3500", u"4000"};
constexpr std::array<std::u16string_view, 8> kDpiValues1 = {u"600",  u"800",  u"1000", u"1200",
                                                            u"1600", u"2000", u"2400", u"3200"};
constexpr std::array<std::u16string_view, 8> kDpiValues2 = {u"250",  u"500",  u"750",  u"1000",
                                                            u"1250", u"1500", u"2000", u"2500"};
constexpr std::array<std::u16string_view, 8> kDpiValues3 = {u"400",  u"800",  u"1200", u"1600",
                                                            u"2000", u"2400", u"2800", u"3200"};

constexpr std::array<std::span<const std::uint8_t>, 4> kDpiCodeTables = {kDpiCodes0, kDpiCodes1, kDpiCodes2,
                                                                         kDpiCodes3};
constexpr std::array<std::span<const std::u16string_view>, 4> kDpiValueLists = {kDpiValues0, kDpiValues1,
                                                                                kDpiValues2, kDpiValues3};

}  // namespace

std::uint8_t DpiCodeOfPosition(std::uint8_t dpiTableSet, std::uint8_t position, bool enabled)
{
    std::uint8_t code = 0;
    if (dpiTableSet < kDpiCodeTables.size() && position < kDpiCodeTables[dpiTableSet].size()) {
        code = kDpiCodeTables[dpiTableSet][position];
    }
    return enabled ? static_cast<std::uint8_t>(code & ~kDpiCodeDisabledBit)
                   : static_cast<std::uint8_t>(code | kDpiCodeDisabledBit);
}

std::span<const std::u16string_view> DpiValueList(std::uint8_t dpiTableSet)
{
    if (dpiTableSet < kDpiValueLists.size()) {
        return kDpiValueLists[dpiTableSet];
    }
    return {};
}
