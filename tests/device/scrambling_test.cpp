// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/scrambling.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "platform/sim/firmware_scrambling.h"

namespace {

using Bytes8 = std::array<BYTE, 8>;

Bytes8 Encoded(Bytes8 bytes)
{
    EncodeGroup(bytes.data());
    return bytes;
}

TEST(Scrambling, EncodesKnownGroupsAsTheMouseExpects)
{
    // Worked by hand from the rotate / mask / rotate definition.
    EXPECT_EQ(Encoded({0x11, 0, 0, 0, 0, 0, 0, 0}), (Bytes8{0x11, 0x27, 0xB2, 0x5C, 0xE2, 0x96, 0xCB, 0x58}));
    EXPECT_EQ(Encoded({0x00, 1, 2, 3, 4, 5, 6, 7}), (Bytes8{0x00, 0xA7, 0x33, 0x5D, 0x60, 0x94, 0x48, 0x5B}));
    EXPECT_EQ(Encoded({0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0, 0}),
              (Bytes8{0x01, 0x72, 0xD4, 0x2B, 0x8C, 0x56, 0xCB, 0x58}));
}

TEST(Scrambling, RoundTripsAndAgreesWithTheFirmwareOverRandomGroups)
{
    std::mt19937 random(507);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 20000; ++i) {
        Bytes8 original{};
        for (BYTE& b : original) {
            b = static_cast<BYTE>(byte(random));
        }
        Bytes8 encoded = original;
        EncodeGroup(encoded.data());
        Bytes8 firmware = original;
        FirmwareEncodeGroup(firmware.data());
        ASSERT_EQ(encoded, firmware) << "case " << i;
        ASSERT_EQ(encoded[0], original[0]) << "the byte before the group never changes";

        Bytes8 decoded = encoded;
        DecodeGroup(decoded.data());
        ASSERT_EQ(decoded, original) << "case " << i;

        Bytes8 reverse = original;
        DecodeGroup(reverse.data());
        Bytes8 firmwareReverse = original;
        FirmwareDecodeGroup(firmwareReverse.data());
        ASSERT_EQ(reverse, firmwareReverse);
        EncodeGroup(reverse.data());
        ASSERT_EQ(reverse, original);
    }
}

TEST(Scrambling, DataReportLeavesReportIdAndEveryEighthBlockByteAlone)
{
    // One spare byte on either side catches a group that reaches outside the report.
    std::array<BYTE, 67> buffer{};
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        buffer[i] = static_cast<BYTE>(i * 13 + 1);
    }
    const auto original = buffer;
    BYTE* report = buffer.data() + 1;
    EncodeDataReport(report);

    EXPECT_EQ(buffer.front(), original.front());
    EXPECT_EQ(buffer.back(), original.back()) << "no group may touch byte 65";
    for (std::size_t at = 0; at < 65; ++at) {
        const bool passesUnchanged = at == 0 || (at - 1) % 8 == 0;
        if (passesUnchanged) {
            EXPECT_EQ(report[at], original[at + 1]) << "report byte " << at;
        }
    }
    EXPECT_NE(std::vector<BYTE>(report + 2, report + 9), std::vector<BYTE>(original.begin() + 3, original.begin() + 10));

    DecodeDataReport(report);
    EXPECT_EQ(buffer, original);
}

TEST(Scrambling, CommandReportChangesOnlyTheSevenBytesAfterTheReportId)
{
    Bytes8 report{0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x83, 0x00, 0x00};
    const Bytes8 original = report;
    EncodeCommandReport(report.data());
    EXPECT_EQ(report[0], 0x01);
    EXPECT_NE(report, original);
    DecodeCommandReport(report.data());
    EXPECT_EQ(report, original);
}

}  // namespace
