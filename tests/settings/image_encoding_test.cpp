// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/image_encoding.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/dpi_tables.h"
#include "settings/settings_state.h"
#include "tests/support/process_state.h"

namespace {

class ImageEncoding : public ProcessStateTest {};

// An image as the mouse might return it: every byte distinct from what any
// encoding step writes in these tests, so an untouched byte is easy to see.
DeviceImage ReadImage()
{
    DeviceImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(0x5A ^ (i * 3));
    }
    return image;
}

SettingsRecord RecoveredRecord()
{
    SettingsRecord record{};
    SetKeyRecoverDefaults(record);
    record.fireMakeTime = 20;
    record.fireBreakTime = 30;
    record.snipeDpiCode = 0x02;
    return record;
}

std::set<std::size_t> EncodedOffsets()
{
    std::set<std::size_t> offsets = {kImageUsbReportRate, kImageEnabledStageCount, kImageLedMode,
                                     kImageLedParameter,  kImageFireMakeTime,      kImageFireBreakTime,
                                     kImageSnipeDpiCode};
    for (std::size_t i = 0; i < 4; ++i) {
        offsets.insert(kImageStageDpiCodes + i);
    }
    for (std::size_t i = 0; i < 12; ++i) {
        offsets.insert(kImageButtonMapKeySet1 + i);
        offsets.insert(kImageButtonMapKeySet2 + i);
    }
    return offsets;
}

TEST_F(ImageEncoding, EveryFunctionCodeGivesItsCodeAndTypeByte)
{
    SettingsRecord record{};
    const std::size_t slot = SlotIndex(1, 2);
    record.windowsIndex[slot] = 8;
    record.mediaIndex[slot] = 6;
    record.hotKeyIndex[slot] = 7;
    record.fireKeyCode[slot] = 0x1D;
    record.fireRepeatCount[slot] = 5;
    record.singleKeyCode[slot] = 0x2C;
    const ButtonBytes expected[] = {
        {0xF0, 0x00}, {0xF1, 0x00}, {0xF2, 0x00}, {0xF4, 0x00}, {0xF3, 0x00}, {0x05, 0x03}, {15, 0x02},
        {6, 0x02},    {23, 0x02},   {0x1D, 0x85}, {0x2C, 0x00}, {0x0A, 0x03}, {0x00, 0x00}, {0x06, 0x03},
    };
    for (std::uint8_t code = 0; code < 14; ++code) {
        record.buttonFunction[slot] = code;
        EXPECT_EQ(ButtonBytesOfSlot(record, 1, 2), expected[code]) << "function code " << int(code);
    }
    for (int code : {14, 100, 255}) {
        record.buttonFunction[slot] = static_cast<std::uint8_t>(code);
        EXPECT_EQ(ButtonBytesOfSlot(record, 1, 2), (ButtonBytes{0x00, 0x00})) << "function code " << code;
    }
}

TEST_F(ImageEncoding, FunctionTableEntriesAndFireCountsAtTheEndsOfTheirRanges)
{
    SettingsRecord record{};
    record.buttonFunction[0] = kFunctionHotKey;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0), (ButtonBytes{16, 0x02}));
    record.buttonFunction[0] = kFunctionWindows;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0), (ButtonBytes{7, 0x02}));
    record.buttonFunction[0] = kFunctionMultimedia;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0), (ButtonBytes{0, 0x02}));
    record.buttonFunction[0] = kFunctionFireKey;
    record.fireKeyCode[0] = 0xF0;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0), (ButtonBytes{0xF0, 0x80}));
    record.fireRepeatCount[0] = 127;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0).type, 0xFF);
    record.fireRepeatCount[0] = 200;
    EXPECT_EQ(ButtonBytesOfSlot(record, 0, 0).type, (200 + 0x80) % 256);
}

TEST_F(ImageEncoding, SlotsThreeAndFourAreExchangedInBothButtonMaps)
{
    SettingsRecord record = RecoveredRecord();
    DeviceImage image = ReadImage();

    EncodeRecordIntoImage(record, 0, image);

    for (std::size_t map : {kImageButtonMapKeySet1, kImageButtonMapKeySet2}) {
        const std::array<std::uint8_t, 12> expected = {0xF0, 0, 0xF1, 0, 0xF2, 0, 0xF4, 0, 0x05, 0x03, 0xF3, 0};
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin() + map)) << "map at " << map;
    }
}

TEST_F(ImageEncoding, KeySetsUseTheirOwnSlotValues)
{
    SettingsRecord record{};
    record.buttonFunction[SlotIndex(0, 5)] = kFunctionSingleKey;
    record.singleKeyCode[SlotIndex(0, 5)] = 0x04;
    record.buttonFunction[SlotIndex(1, 5)] = kFunctionSingleKey;
    record.singleKeyCode[SlotIndex(1, 5)] = 0x05;
    DeviceImage image = ReadImage();

    EncodeRecordIntoImage(record, 0, image);

    EXPECT_EQ(image[kImageButtonMapKeySet1 + 10], 0x04);
    EXPECT_EQ(image[kImageButtonMapKeySet2 + 10], 0x05);
}

TEST_F(ImageEncoding, BytesTheRecordDoesNotDetermineKeepTheirReadValues)
{
    SettingsRecord record = RecoveredRecord();
    // Slots 6 and 7 have no button position.
    record.buttonFunction[SlotIndex(0, 6)] = kFunctionShift;
    record.buttonFunction[SlotIndex(1, 7)] = kFunctionShift;
    const DeviceImage read = ReadImage();
    DeviceImage image = read;

    EncodeRecordIntoImage(record, 1, image);

    const auto encoded = EncodedOffsets();
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (!encoded.contains(i)) {
            EXPECT_EQ(image[i], read[i]) << "image offset " << i;
        }
    }
}

TEST_F(ImageEncoding, HeaderLightingFireAndSnipeValues)
{
    SettingsRecord record = RecoveredRecord();
    record.reportInterval = 2;
    record.ledMode = 1;
    record.modeOneParameter = 10;
    DeviceImage image = ReadImage();

    EncodeRecordIntoImage(record, 0, image);

    EXPECT_EQ(image[kImageUsbReportRate], 2);
    EXPECT_EQ(image[kImageLedMode], 1);
    EXPECT_EQ(image[kImageLedParameter], 10);
    EXPECT_EQ(image[kImageFireMakeTime], 20);
    EXPECT_EQ(image[kImageFireBreakTime], 30);
    EXPECT_EQ(image[kImageSnipeDpiCode], 0x02);

    record.ledMode = 2;
    record.modeTwoParameter = 5;
    EncodeRecordIntoImage(record, 0, image);
    EXPECT_EQ(image[kImageLedParameter], 5);

    const std::uint8_t asRead = ReadImage()[kImageLedParameter];
    image[kImageLedParameter] = asRead;
    record.ledMode = 0;
    EncodeRecordIntoImage(record, 0, image);
    EXPECT_EQ(image[kImageLedMode], 0);
    EXPECT_EQ(image[kImageLedParameter], asRead) << "mode 0 keeps the mouse's parameter";
}

TEST_F(ImageEncoding, DpiStagesCarryTheTableCodeAndTheDisabledBit)
{
    SettingsRecord record = RecoveredRecord();  // positions 1, 3, 6, 7
    record.dpiStageEnabled[1] = 0;
    record.dpiStageEnabled[3] = 2;  // not 0: enabled, but only a 1 counts as enabled stage
    DeviceImage image = ReadImage();

    EncodeRecordIntoImage(record, 2, image);

    EXPECT_EQ(image[kImageEnabledStageCount], 2);
    EXPECT_EQ(image[kImageStageDpiCodes + 0], 0x04);
    EXPECT_EQ(image[kImageStageDpiCodes + 1], 0x08 | 0x80);
    EXPECT_EQ(image[kImageStageDpiCodes + 2], 0x28);
    EXPECT_EQ(image[kImageStageDpiCodes + 3], 0x2A);

    std::fill(std::begin(record.dpiStageEnabled), std::end(record.dpiStageEnabled), 0);
    EncodeRecordIntoImage(record, 0, image);
    EXPECT_EQ(image[kImageEnabledStageCount], 0);
    for (std::size_t stage = 0; stage < 4; ++stage) {
        EXPECT_EQ(image[kImageStageDpiCodes + stage] & 0x80, 0x80);
    }

    std::fill(std::begin(record.dpiStageEnabled), std::end(record.dpiStageEnabled), 1);
    EncodeRecordIntoImage(record, 7, image);
    for (std::size_t stage = 0; stage < 4; ++stage) {
        EXPECT_EQ(image[kImageStageDpiCodes + stage], 0) << "no table 7: code 0";
    }
}

TEST_F(ImageEncoding, UsesTheSelectorItIsGivenNotTheGlobalOne)
{
    SettingsRecord record = RecoveredRecord();
    DeviceImage image{};
    DpiTableSet = 3;

    EncodeRecordIntoImage(record, 1, image);

    EXPECT_EQ(image[kImageStageDpiCodes + 3], 0x25);
    EXPECT_EQ(DpiTableSet, 3);
}

}  // namespace
