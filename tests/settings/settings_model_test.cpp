// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"
#include "tests/support/process_state.h"

namespace {

class DpiTables : public ProcessStateTest {};
class SettingsState : public ProcessStateTest {};
class DeviceImageState : public ProcessStateTest {};

TEST_F(DpiTables, CodesAndTextsFollowTheSelector)
{
    struct Row {
        std::uint8_t table;
        std::uint8_t position;
        std::uint8_t code;
        std::u16string_view text;
    };
    const Row rows[] = {
        {0, 0, 0x01, u"250"},  {0, 8, 0x25, u"2500"}, {0, 11, 0x28, u"4000"}, {1, 0, 0x01, u"600"},
        {1, 5, 0x23, u"2000"}, {1, 7, 0x25, u"3200"}, {2, 4, 0x0A, u"1250"},  {2, 7, 0x2A, u"2500"},
        {3, 2, 0x03, u"1200"}, {3, 7, 0x08, u"3200"},
    };
    for (const Row& row : rows) {
        DpiTableSet = row.table;
        EXPECT_EQ(DpiCodeOfPosition(row.position, true), row.code);
        EXPECT_EQ(DpiCodeOfPosition(row.position, false), row.code | 0x80);
        EXPECT_EQ(DpiValueTextOfPosition(row.position), row.text);
    }
    DpiTableSet = 0;
    EXPECT_EQ(DpiPositionCount(), 12);
    DpiTableSet = 1;
    EXPECT_EQ(DpiPositionCount(), 8);
}

TEST_F(DpiTables, UnknownSelectorOrPositionGivesCodeZeroAndNoText)
{
    DpiTableSet = 4;
    EXPECT_EQ(DpiCodeOfPosition(0, true), 0x00);
    EXPECT_EQ(DpiCodeOfPosition(0, false), 0x80);
    EXPECT_TRUE(DpiValueTextOfPosition(0).empty());
    EXPECT_EQ(DpiPositionCount(), 0);

    // A config.bin can hold any byte; a position beyond the table must not read past it.
    DpiTableSet = 1;
    EXPECT_EQ(DpiCodeOfPosition(8, true), 0x00);
    EXPECT_EQ(DpiCodeOfPosition(255, true), 0x00);
    EXPECT_TRUE(DpiValueTextOfPosition(8).empty());
    DpiTableSet = 0;
    EXPECT_EQ(DpiCodeOfPosition(12, true), 0x00);
    EXPECT_TRUE(DpiValueTextOfPosition(12).empty());
}

TEST_F(SettingsState, KeyRecoverSetsItsFieldsAndLeavesTheRest)
{
    SettingsRecord record;
    std::memset(&record, 0x77, sizeof(record));
    SettingsRecord before = record;

    SetKeyRecoverDefaults(record);

    EXPECT_EQ(record.reportInterval, 8);
    EXPECT_EQ(record.ledMode, 2);
    EXPECT_EQ(record.modeTwoParameter, 3);
    const std::uint8_t stages[] = {1, 3, 6, 7};
    EXPECT_TRUE(std::equal(std::begin(stages), std::end(stages), record.dpiStageIndex));
    EXPECT_TRUE(std::all_of(std::begin(record.dpiStageEnabled), std::end(record.dpiStageEnabled),
                            [](std::uint8_t v) { return v == 1; }));
    const std::uint8_t keys[] = {0, 1, 2, 5, 3, 4, 12, 12, 0, 1, 2, 5, 3, 4, 12, 12};
    EXPECT_TRUE(std::equal(std::begin(keys), std::end(keys), record.buttonFunction));

    // Put the recovered fields back: everything else must be as it was.
    std::memcpy(record.dpiStageIndex, before.dpiStageIndex, 4);
    std::memcpy(record.dpiStageEnabled, before.dpiStageEnabled, 4);
    std::memcpy(record.buttonFunction, before.buttonFunction, 16);
    record.reportInterval = before.reportInterval;
    record.ledMode = before.ledMode;
    record.modeTwoParameter = before.modeTwoParameter;
    EXPECT_EQ(std::memcmp(&record, &before, sizeof(record)), 0);
}

TEST_F(SettingsState, AppliedCopyRoundTripsTheWholeRecord)
{
    std::memset(&g_settingsRecord, 0x31, sizeof(g_settingsRecord));
    g_settingsRecord.fireRepeatCount[15] = 0x42;
    CopyRecordToAppliedCopy();
    std::memset(&g_settingsRecord, 0, sizeof(g_settingsRecord));

    CopyAppliedCopyToRecord();

    EXPECT_EQ(g_settingsRecord.reserved0[0], 0x31);
    EXPECT_EQ(g_settingsRecord.fireRepeatCount[15], 0x42);
    EXPECT_EQ(std::memcmp(&g_settingsRecord, &g_appliedCopy, sizeof(SettingsRecord)), 0);
}

TEST_F(DeviceImageState, ClearingZeroesEveryByteAndForgetsTheRead)
{
    g_deviceImage.fill(0xEE);
    g_deviceImageFromMouse = true;

    ClearDeviceImage();

    EXPECT_TRUE(std::all_of(g_deviceImage.begin(), g_deviceImage.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_FALSE(g_deviceImageFromMouse);
}

TEST_F(DeviceImageState, FunctionTablesLandInBlocksFourAndFive)
{
    DeviceImage image{};

    WriteDeviceFunctionTables(image);

    EXPECT_EQ(image[226], 0xB5);  // Scan Next Track, low byte first
    EXPECT_EQ(image[227], 0x00);
    EXPECT_EQ(image[256], 0x27);  // AC Refresh
    EXPECT_EQ(image[257], 0x02);
    EXPECT_EQ(image[306], 0xE0);
    EXPECT_EQ(image[321], 0x1D);  // Ctrl+Z
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool inTables = (i >= 226 && i < 258) || i >= 306;
        if (!inTables) {
            EXPECT_EQ(image[i], 0) << "image offset " << i;
        }
    }
}

}  // namespace
