// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/report_descriptor.h"

#include <gtest/gtest.h>

#include "tests/platform/linux/hid_descriptors.h"

namespace {

struct ExpectedCollection {
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint16_t input;
    std::uint16_t output;
    std::uint16_t feature;
};

void ExpectCollections(const Descriptor& bytes, const std::vector<ExpectedCollection>& expected)
{
    std::string error;
    const auto parsed = ParseReportDescriptor(bytes, &error);
    ASSERT_TRUE(parsed) << error;
    ASSERT_EQ(parsed->collections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const TopLevelCollection& got = parsed->collections[i];
        const ReportByteLengths lengths = ReportLengths(got);
        SCOPED_TRACE("collection " + std::to_string(i));
        EXPECT_EQ(got.usagePage, expected[i].usagePage);
        EXPECT_EQ(got.usage, expected[i].usage);
        EXPECT_EQ(lengths.input, expected[i].input);
        EXPECT_EQ(lengths.output, expected[i].output);
        EXPECT_EQ(lengths.feature, expected[i].feature);
    }
}

Descriptor Repeat(const Descriptor& part, std::size_t times)
{
    Descriptor out;
    for (std::size_t i = 0; i < times; ++i) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Descriptor Concat(std::initializer_list<Descriptor> parts)
{
    Descriptor out;
    for (const Descriptor& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

}  // namespace

TEST(ReportDescriptor, LengthsCountTheReportIdByteAsWindowsDoes)
{
    ExpectCollections(kPlainMouse, {{1, 2, 5, 0, 0}});
    ExpectCollections(kKeyboardWithIds, {{1, 6, 9, 2, 0}});
    ExpectCollections(kComposite, {{1, 6, 2, 0, 0}, {0x0C, 1, 3, 0, 0}, {0xFF00, 1, 2, 0, 33}});
}

TEST(ReportDescriptor, TheMouseCollectionsHaveTheLengthsDiscoveryLooksFor)
{
    ExpectCollections(kMouseDataInterface, {{1, 2, 5, 0, 65}});
    ExpectCollections(kMouseCommandInterface, {{1, 6, 9, 0, 8}, {0x0C, 1, 3, 0, 0}, {1, 0x80, 2, 0, 0}});

    const auto data = ParseReportDescriptor(kMouseDataInterface);
    ASSERT_TRUE(data);
    EXPECT_NE(data->collections[0].FeatureReport(0), nullptr) << "data reports travel without an id";
    const auto command = ParseReportDescriptor(kMouseCommandInterface);
    ASSERT_TRUE(command);
    EXPECT_NE(command->collections[0].FeatureReport(1), nullptr);
    EXPECT_EQ(command->collections[0].FeatureReport(0), nullptr);
    EXPECT_EQ(command->collections[1].FeatureReport(2), nullptr) << "consumer control has input only";
}

TEST(ReportDescriptor, RejectsWhatTheKernelRejects)
{
    const std::vector<std::pair<const char*, Descriptor>> malformed = {
        {"truncated short item", {0x05, 0x01, 0x06, 0x00}},
        {"truncated long item header", {0xFE, 0x04}},
        {"long item data past the end", {0xFE, 0x04, 0x10, 0x01, 0x02}},
        {"end collection first", {0xC0}},
        {"collection never closed", {0x09, 0x02, 0xA1, 0x01, 0xA1, 0x00, 0xC0}},
        {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"report id wider than a byte", {0xA1, 0x01, 0x86, 0x00, 0x01, 0xC0}},
        {"report size beyond 256 bits", {0x76, 0x01, 0x01}},
        {"report count beyond the kernel's limit", {0x96, 0x01, 0x30}},
        {"pop without push", {0xB4}},
        {"push beyond the stack", Repeat({0xA4}, 33)},
    };
    for (const auto& [why, bytes] : malformed) {
        std::string error;
        EXPECT_FALSE(ParseReportDescriptor(bytes, &error)) << why;
        EXPECT_FALSE(error.empty()) << why;
    }
    EXPECT_TRUE(ParseReportDescriptor(Repeat({0xA4}, 32))) << "32 pushes fit";
}

TEST(ReportDescriptor, SkipsLongItemsAndReservedMainItems)
{
    const Descriptor longItem = {0xFE, 0x03, 0x42, 0xA1, 0x01, 0xC0};  // its data looks like a collection
    const Descriptor reservedMain = {0x00, 0xF0};
    ExpectCollections(Concat({longItem, kPlainMouse, reservedMain, {0x00, 0x00}}), {{1, 2, 5, 0, 0}});
}

TEST(ReportDescriptor, DeepNestingCountsOnlyTheOutermostCollection)
{
    constexpr std::size_t kDepth = 20000;
    const Descriptor bytes = Concat({{0x05, 0x01, 0x09, 0x02}, Repeat({0xA1, 0x00}, kDepth),
                                     {0x75, 0x08, 0x95, 0x02, 0xB1, 0x02}, Repeat({0xC0}, kDepth)});
    ExpectCollections(bytes, {{1, 2, 0, 0, 3}});
}

TEST(ReportDescriptor, HugeReportsSaturateInsteadOfWrapping)
{
    // 256-bit fields, 12288 of them per item, a thousand items: far past what
    // a 16-bit length can say.
    const Descriptor item = {0x76, 0x00, 0x01, 0x96, 0x00, 0x30, 0xB1, 0x02};
    const Descriptor bytes = Concat({{0x09, 0x01, 0xA1, 0x01}, Repeat(item, 1000), {0xC0}});
    ExpectCollections(bytes, {{0, 1, 0, 0, 0xFFFF}});
}

TEST(ReportDescriptor, PushAndPopRestoreReportIdAndSizes)
{
    const Descriptor bytes = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
        0x85, 0x01, 0x75, 0x08, 0x95, 0x02,  // id 1, 2 x 8 bits
        0xA4,                                // push
        0x85, 0x02, 0x95, 0x10, 0xB1, 0x02,  // id 2: 16 bytes of feature
        0xB4,                                // pop: back to id 1, 2 x 8 bits
        0xB1, 0x02,
        0xC0,
    };
    const auto parsed = ParseReportDescriptor(bytes);
    ASSERT_TRUE(parsed);
    const TopLevelCollection& collection = parsed->collections.at(0);
    ASSERT_NE(collection.FeatureReport(1), nullptr);
    EXPECT_EQ(collection.FeatureReport(1)->feature, 16u);
    EXPECT_EQ(collection.FeatureReport(2)->feature, 128u);
}

TEST(ReportDescriptor, FieldsOutsideEveryCollectionBelongToNoInterface)
{
    const Descriptor bytes = Concat({{0x75, 0x08, 0x95, 0x04, 0x81, 0x02}, kPlainMouse});
    ExpectCollections(bytes, {{1, 2, 5, 0, 0}});
    const auto none = ParseReportDescriptor(Descriptor{0x75, 0x08, 0x95, 0x04, 0x81, 0x02});
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->collections.empty());
}
