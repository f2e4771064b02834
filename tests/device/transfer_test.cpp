// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/transfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/device/device_fixture.h"

namespace {

using ::testing::ElementsAre;

constexpr char kReadWire[] =
    "C80 A C81 A D< P100 C82 A D< P100 C83 A D< P100 C84 A D< P100 C85 A D< P100";
constexpr char kWriteWire[] =
    "C80 A C00 P20 C01 A D> P100 C02 A D> P100 C03 A D> P100 C04 A D> P100 C05 A D> P100";
constexpr int kReadFeatureCalls = 17;   // C, A, then five times C, A, D
constexpr int kWriteFeatureCalls = 18;  // C, A, header, then five times C, A, D

bool AllZero(const DeviceImage& image)
{
    return std::all_of(image.begin(), image.end(), [](BYTE b) { return b == 0; });
}

DeviceImage AsImage(const SimMouse::Configuration& memory)
{
    DeviceImage image{};
    std::copy(memory.begin(), memory.end(), image.begin());
    return image;
}

class Transfer : public DeviceLinkTest {};

TEST_F(Transfer, ReadFetchesHeaderAndFiveBlocksInOrderWithPauses)
{
    hid.Mouse().SetMemory(SimMouse::FactoryConfiguration(2));
    OpenMouse();

    EXPECT_TRUE(Refresh());

    EXPECT_EQ(hid.Log().Summary(), kReadWire);
    EXPECT_EQ(g_deviceImage, AsImage(hid.Mouse().Memory()));
    EXPECT_EQ(DpiTableSet, 2);
    EXPECT_TRUE(g_deviceImageFromMouse);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(hid.Mouse().ProtocolErrors(), 0);
    EXPECT_EQ(hid.Clock().Elapsed(), std::chrono::milliseconds(500));
}

TEST_F(Transfer, WriteSendsHeaderAndElevenReportsAfterTheFirstAnswer)
{
    OpenMouse();
    ASSERT_TRUE(Refresh());
    for (std::size_t i = BlockOffset(1); i < kDeviceImageSize; ++i) {
        g_deviceImage[i] = static_cast<BYTE>(i * 31);
    }
    g_deviceImage[kImageUsbReportRate] = 1;
    hid.Log().Clear();

    EXPECT_TRUE(Write());

    EXPECT_EQ(hid.Log().Summary(), kWriteWire);
    const auto reports = hid.Log().Reports();
    ASSERT_EQ(reports.size(), 2u + 1u + 5u * 3u);
    const auto afterFirstAnswer = std::count_if(reports.begin() + 2, reports.end(), [](const WireEntry& e) {
        return e.kind == WireEntry::Kind::SetFeature;
    });
    EXPECT_EQ(afterFirstAnswer, 11);
    EXPECT_EQ(AsImage(hid.Mouse().Memory()), g_deviceImage);
    EXPECT_EQ(hid.Mouse().HeaderWrites(), 1);
    EXPECT_EQ(hid.Mouse().BlocksWritten(), 5);
    EXPECT_EQ(hid.Mouse().ProtocolErrors(), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Transfer, BlocksWrittenAndReadBackComeBackUnchanged)
{
    OpenMouse();
    ASSERT_TRUE(Refresh());
    std::mt19937 random(42);
    for (BYTE& b : g_deviceImage) {
        b = static_cast<BYTE>(random());
    }
    const DeviceImage written = g_deviceImage;
    hid.Log().Clear();
    ASSERT_TRUE(Write());

    ASSERT_TRUE(Refresh());

    EXPECT_EQ(g_deviceImage, written);
    // Only bytes 8j+1..8j+7 of a block travel scrambled; the rest go as they are.
    ASSERT_GT(hid.Log().Reports().size(), 5u) << hid.Log().Summary();
    const WireEntry firstBlock = hid.Log().Reports()[5];
    ASSERT_EQ(firstBlock.target, WireEntry::Target::Data);
    EXPECT_EQ(firstBlock.bytes[1], written[BlockOffset(1)]);
    EXPECT_EQ(firstBlock.bytes[9], written[BlockOffset(1) + 8]);
}

TEST_F(Transfer, WriteRightAfterReadGivesTheSensorStageBackUnchanged)
{
    auto memory = SimMouse::FactoryConfiguration(0);
    memory[kImageSensorDpiStage] = 3;
    hid.Mouse().SetMemory(memory);
    OpenMouse();
    ASSERT_TRUE(Refresh());

    ASSERT_TRUE(Write());

    EXPECT_EQ(hid.Mouse().Memory(), memory);
}

TEST_F(Transfer, FirstCommandOfAReadIsScrambledEvenBeforeTheMouseWasOpened)
{
    ASSERT_TRUE(Discover(g_deviceLink).Done());
    hid.Log().Clear();

    Read();

    ASSERT_FALSE(hid.Log().Reports().empty());
    const WireEntry first = hid.Log().Reports().front();
    EXPECT_THAT(first.plain, ElementsAre(0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00));
    EXPECT_NE(first.bytes, first.plain);
}

TEST_F(Transfer, WriteBeforeTheMouseWasOpenedSendsPlainReports)
{
    ASSERT_TRUE(Discover(g_deviceLink).Done());
    g_deviceImageFromMouse = true;
    hid.Log().Clear();

    Write();

    ASSERT_FALSE(hid.Log().Reports().empty());
    EXPECT_THAT(hid.Log().Reports().front().bytes, ElementsAre(0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00));
}

struct AnswerCase {
    SimMouse::AnswerFault fault;
    bool readFails;
    bool writeFails;
};

class FirstAnswer : public DeviceLinkTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(FirstAnswer, ReadChecksReportIdAndSignatureWriteOnlyTheSignature)
{
    OpenMouse();
    ASSERT_TRUE(Refresh());
    const DeviceImage goodImage = g_deviceImage;
    hid.Mouse().SetAnswerFault(GetParam().fault);
    hid.Log().Clear();

    const bool read = Refresh();

    EXPECT_EQ(!read, GetParam().readFails);
    if (GetParam().readFails) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, kMouseNotFound);
        EXPECT_EQ(boxes.Boxes()[0].caption, u"ReadOperation");
        EXPECT_EQ(boxes.Boxes()[0].owner, owner);
        EXPECT_TRUE(AllZero(g_deviceImage));
        EXPECT_EQ(DpiTableSet, 0);
        EXPECT_EQ(hid.Log().Summary().substr(0, 4), "C80 ");
        EXPECT_EQ(hid.Log().Reports().size(), 2u) << hid.Log().Summary();
    }

    boxes.Clear();
    g_deviceImage = goodImage;
    g_deviceImageFromMouse = true;
    const auto memoryBefore = hid.Mouse().Memory();
    hid.Log().Clear();

    const bool write = Write();

    EXPECT_EQ(!write, GetParam().writeFails);
    if (GetParam().writeFails) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, u"WriteOperation");
        EXPECT_EQ(hid.Log().Reports().size(), 2u) << "only the header read reaches the mouse";
        EXPECT_EQ(hid.Mouse().Memory(), memoryBefore);
    } else {
        EXPECT_EQ(hid.Log().Summary(), kWriteWire);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FirstAnswer,
                         ::testing::Values(AnswerCase{SimMouse::AnswerFault::NoAnswer, true, true},
                                           AnswerCase{SimMouse::AnswerFault::BadSignature, true, true},
                                           AnswerCase{SimMouse::AnswerFault::WrongReportId, true, false}));

class ReadBrokenAtCall : public DeviceLinkTest, public ::testing::WithParamInterface<int> {};

// Wherever a read breaks, the image is left cleared, one message is shown, and
// the half-read image is never written to the mouse by a later Apply.
TEST_P(ReadBrokenAtCall, LeavesNoHalfImageThatAWriteWouldSend)
{
    for (SimHid::CallFault fault : {SimHid::CallFault::Fail, SimHid::CallFault::Unplug}) {
        SCOPED_TRACE(fault == SimHid::CallFault::Fail ? "failing call" : "mouse removed");
        hid.Plug();
        hid.DeliverPendingNotifications();
        CloseDeviceHandles(g_deviceLink);
        boxes.Clear();
        OpenMouse();
        const auto memory = hid.Mouse().Memory();
        hid.InjectFeatureFault(GetParam(), fault);

        EXPECT_FALSE(Refresh());

        EXPECT_EQ(OnlyBoxText(), kMouseNotFound);
        EXPECT_EQ(OnlyBox().caption, u"ReadOperation");
        EXPECT_TRUE(AllZero(g_deviceImage));
        EXPECT_FALSE(g_deviceImageFromMouse);
        EXPECT_EQ(hid.Log().Reports().size(), static_cast<std::size_t>(GetParam())) << hid.Log().Summary();

        boxes.Clear();
        hid.Plug();
        hid.Log().Clear();
        EXPECT_FALSE(Write());
        EXPECT_EQ(OnlyBoxText(), kMouseNotFound);
        EXPECT_EQ(OnlyBox().caption, u"WriteOperation");
        EXPECT_EQ(hid.Log().Size(), 0u);
        EXPECT_EQ(hid.Mouse().Memory(), memory);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCall, ReadBrokenAtCall, ::testing::Range(1, kReadFeatureCalls + 1));

class WriteBrokenAtCall : public DeviceLinkTest, public ::testing::WithParamInterface<int> {};

TEST_P(WriteBrokenAtCall, EndsTheSequenceWithOneMessage)
{
    OpenMouse();
    ASSERT_TRUE(Refresh());
    hid.Log().Clear();
    hid.InjectFeatureFault(GetParam(), SimHid::CallFault::Fail);

    EXPECT_FALSE(Write());

    EXPECT_EQ(OnlyBoxText(), kMouseNotFound);
    EXPECT_EQ(OnlyBox().caption, u"WriteOperation");
    const auto reports = hid.Log().Reports();
    ASSERT_EQ(reports.size(), static_cast<std::size_t>(GetParam())) << hid.Log().Summary();
    EXPECT_FALSE(reports.back().ok);
}

INSTANTIATE_TEST_SUITE_P(EveryCall, WriteBrokenAtCall, ::testing::Range(1, kWriteFeatureCalls + 1));

TEST_F(Transfer, WriteWithTheMouseNeverFoundShowsTheMessageAndSendsNothing)
{
    EXPECT_FALSE(Write());

    EXPECT_EQ(OnlyBoxText(), kMouseNotFound);
    EXPECT_EQ(OnlyBox().caption, u"WriteOperation");
    EXPECT_EQ(hid.Log().Size(), 0u);
}

TEST_F(Transfer, FeatureCallsOnInvalidHandlesEndInOneMessage)
{
    g_deviceImageFromMouse = true;

    EXPECT_FALSE(Write());
    EXPECT_FALSE(Read());

    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, u"WriteOperation");
    EXPECT_EQ(boxes.Boxes()[1].caption, u"ReadOperation");
    EXPECT_EQ(hid.Log().Summary(), "?>! ?>!");
}

}  // namespace
