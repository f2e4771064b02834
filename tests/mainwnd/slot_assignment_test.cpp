// SPDX-License-Identifier: GPL-3.0-or-later
// The key page's rules over the settings record and the labels, without a
// window: the function lists, the left-click rule, Shift, the dialogs'
// confirmed results and Default.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "mainwnd/slot_assignment.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "tests/support/process_state.h"

namespace {

const SlotFunction& Function(std::uint8_t code)
{
    const SlotFunction* function = FindSlotFunction(code);
    EXPECT_NE(function, nullptr) << "code " << int{code};
    static const SlotFunction kNone{};
    return function != nullptr ? *function : kNone;
}

class SlotAssignmentTest : public ProcessStateTest {
protected:
    void SetUp() override
    {
        FillMainWindowStrings(strings, Language::English);
        // Key set 1 and 2: Left, Right, Mid, DPI Switch, Forward, Backward, Key Off, Key Off.
        const std::uint8_t functions[kSlotsPerRecord] = {0, 1, 2, 5, 3, 4, 12, 12, 0, 1, 2, 5, 3, 4, 12, 12};
        std::memcpy(record.buttonFunction, functions, sizeof functions);
    }

    MainWindowStrings strings;
    SettingsRecord record{};
    SlotLabels labels;
};

TEST_F(SlotAssignmentTest, KeySetOneOffersShiftAndKeySetTwoDoesNot)
{
    const auto one = FunctionListEntries(strings, 0);
    const auto two = FunctionListEntries(strings, 1);
    ASSERT_EQ(one.size(), 14u);
    ASSERT_EQ(two.size(), 13u);
    EXPECT_EQ(one[0], u"Left Click");
    EXPECT_EQ(one[3], u"Forward");
    EXPECT_EQ(one[9], u"Fire Key");
    EXPECT_EQ(one[13], u"Shift");
    EXPECT_EQ(two[12], u"Key Off");
    FillMainWindowStrings(strings, Language::TraditionalChinese);
    EXPECT_EQ(FunctionListEntries(strings, 0)[12], u"按鍵關閉");
}

TEST_F(SlotAssignmentTest, TheLeftClickRuleGuardsTheOnlyLeftClickOfTheSelectedKeySet)
{
    EXPECT_TRUE(LeftClickRuleRefuses(record, 0));
    EXPECT_FALSE(LeftClickRuleRefuses(record, 1));
    // A second Left Click anywhere in the set, even in a hidden slot, frees both.
    record.buttonFunction[SlotIndex(0, 7)] = 0;
    EXPECT_FALSE(LeftClickRuleRefuses(record, 0));
    EXPECT_FALSE(LeftClickRuleRefuses(record, 7));

    // Selector 1 inspects key set 2, whichever column was clicked.
    record.keySetSelector = 1;
    EXPECT_TRUE(LeftClickRuleRefuses(record, 0));
    record.buttonFunction[SlotIndex(1, 0)] = 9;
    EXPECT_FALSE(LeftClickRuleRefuses(record, 0));
    record.buttonFunction[SlotIndex(1, 4)] = 0;
    EXPECT_TRUE(LeftClickRuleRefuses(record, 4));
    // Any other selector checks nothing.
    record.keySetSelector = 2;
    EXPECT_FALSE(LeftClickRuleRefuses(record, 4));
}

TEST_F(SlotAssignmentTest, ShiftIsMirroredAndLocksTheRightSlotUntilTheLeftOneChanges)
{
    labels[0][2] = u"Shift";
    labels[1][2] = u"Mid Click";
    EXPECT_FALSE(MirrorShift(record, labels, 2));
    record.buttonFunction[SlotIndex(0, 2)] = kFunctionShift;
    EXPECT_FALSE(LockedByShift(record, 2));
    EXPECT_TRUE(MirrorShift(record, labels, 2));
    EXPECT_EQ(labels[1][2], u"Shift");
    EXPECT_EQ(record.buttonFunction[SlotIndex(1, 2)], kFunctionShift);
    EXPECT_TRUE(LockedByShift(record, 2));
    EXPECT_FALSE(LockedByShift(record, 3));
    // Another function on the left unlocks the right slot, which keeps Shift.
    record.buttonFunction[SlotIndex(0, 2)] = kFunctionKeyOff;
    EXPECT_FALSE(LockedByShift(record, 2));
    EXPECT_EQ(record.buttonFunction[SlotIndex(1, 2)], kFunctionShift);
}

TEST_F(SlotAssignmentTest, ListDialogResultsGoToTheirSlotAndLabel)
{
    std::u16string label;
    StoreSlotDialogResult(record, label, {1, 4}, Function(kFunctionWindows), ListChoice{8, u"Calculator"}, strings);
    EXPECT_EQ(record.windowsIndex[SlotIndex(1, 4)], 8);
    EXPECT_EQ(label, u"Calculator");
    StoreSlotDialogResult(record, label, {0, 5}, Function(kFunctionHotKey), ListChoice{7, u"Ctrl+Z"}, strings);
    EXPECT_EQ(record.hotKeyIndex[SlotIndex(0, 5)], 7);
    EXPECT_EQ(label, u"Ctrl+Z");
    StoreSlotDialogResult(record, label, {0, 1}, Function(kFunctionMultimedia), ListChoice{2, u"Play/Pause"},
                          strings);
    EXPECT_EQ(record.mediaIndex[SlotIndex(0, 1)], 2);
    EXPECT_EQ(label, u"Multimedia-Play/Pause");
    // Nothing else of the record moved.
    SettingsRecord expected{};
    std::memcpy(expected.buttonFunction, record.buttonFunction, sizeof expected.buttonFunction);
    expected.windowsIndex[SlotIndex(1, 4)] = 8;
    expected.hotKeyIndex[SlotIndex(0, 5)] = 7;
    expected.mediaIndex[SlotIndex(0, 1)] = 2;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

// Only the six dialog functions open a dialog; a cancelled one writes nothing.
TEST_F(SlotAssignmentTest, OnlyDialogFunctionsHaveARowAndACancelledDialogChangesNothing)
{
    for (std::uint8_t code = 0; code < 20; ++code) {
        const SlotFunction* function = FindSlotFunction(code);
        EXPECT_EQ(function != nullptr, code >= kFunctionWindows && code <= kFunctionSnipeKey) << int{code};
        if (function != nullptr) {
            EXPECT_EQ(function->code, code);
        }
    }
    const SettingsRecord before = record;
    std::u16string label = u"unchanged";
    for (std::uint8_t code = kFunctionWindows; code <= kFunctionSnipeKey; ++code) {
        StoreSlotDialogResult(record, label, {0, 3}, Function(code), std::monostate{}, strings);
    }
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    EXPECT_EQ(label, u"unchanged");
}

TEST_F(SlotAssignmentTest, FireKeySnipeAndSingleKeyShareTheirRecordWideValues)
{
    std::u16string first;
    std::u16string second;
    StoreSlotDialogResult(record, first, {0, 2}, Function(kFunctionFireKey), FireKeyChoice{0, u"Left", 0, 5, 255},
                          strings);
    StoreSlotDialogResult(record, second, {1, 3}, Function(kFunctionFireKey), FireKeyChoice{58, u"Z", 127, 40, 60},
                          strings);
    EXPECT_EQ(record.fireKeyIndex[SlotIndex(0, 2)], 0);
    EXPECT_EQ(record.fireKeyCode[SlotIndex(0, 2)], FireKeyCodeFromIndex(0));
    EXPECT_EQ(record.fireRepeatCount[SlotIndex(0, 2)], 0);
    EXPECT_EQ(record.fireKeyCode[SlotIndex(1, 3)], FireKeyCodeFromIndex(58));
    EXPECT_EQ(record.fireRepeatCount[SlotIndex(1, 3)], 127);
    // The later dialog's times are the ones for every fire key.
    EXPECT_EQ(record.fireMakeTime, 40);
    EXPECT_EQ(record.fireBreakTime, 60);
    EXPECT_EQ(first, u"Fire Key-Left");
    EXPECT_EQ(second, u"Fire Key-Z");

    DpiTableSet = 2;
    StoreSlotDialogResult(record, first, {0, 0}, Function(kFunctionSnipeKey), ListChoice{3, u"1000"}, strings);
    EXPECT_EQ(record.snipeIndex[SlotIndex(0, 0)], 3);
    EXPECT_EQ(record.snipeDpiCode, 0x08);
    EXPECT_EQ(first, u"Snipe Key-1000");
    DpiTableSet = 7;
    StoreSlotDialogResult(record, first, {1, 0}, Function(kFunctionSnipeKey), ListChoice{3, u""}, strings);
    EXPECT_EQ(record.snipeDpiCode, 0x00);

    StoreSlotDialogResult(record, first, {1, 5}, Function(kFunctionSingleKey), SingleKeyChoice{u"F5"}, strings);
    EXPECT_EQ(record.singleKeyCode[SlotIndex(1, 5)], KeyCodeFromName(u"F5"));
    EXPECT_NE(record.singleKeyCode[SlotIndex(1, 5)], 0);
    EXPECT_EQ(first, u"Single Key-F5");
}

TEST_F(SlotAssignmentTest, DefaultRestoresTheFactoryAssignmentAndLeavesTheRest)
{
    std::memset(&record, 0x55, sizeof record);
    SettingsRecord before = record;
    FillMainWindowStrings(strings, Language::SimplifiedChinese);
    RestoreFactoryAssignment(record, labels, strings);
    const std::uint8_t functions[kSlotsPerKeySet] = {0, 1, 2, 5, 3, 4, 12, 12};
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        EXPECT_EQ(std::memcmp(record.buttonFunction + SlotIndex(keySet, 0), functions, sizeof functions), 0);
        EXPECT_EQ(labels[keySet][0], u"左键");
        EXPECT_EQ(labels[keySet][3], u"DPI切换");
        EXPECT_EQ(labels[keySet][4], u"前进方向键");
        EXPECT_EQ(labels[keySet][7], u"按键关闭");
    }
    EXPECT_EQ(record.reportInterval, 8);
    EXPECT_EQ(record.ledMode, 2);
    EXPECT_EQ(record.modeTwoParameter, 3);
    // What Default does not name keeps its value.
    EXPECT_EQ(record.modeOneParameter, before.modeOneParameter);
    EXPECT_EQ(record.keySetSelector, before.keySetSelector);
    // The per-slot dialog values run from mediaIndex to the record's end.
    const std::size_t perSlotValues = kSettingsRecordSize - offsetof(SettingsRecord, mediaIndex);
    EXPECT_EQ(std::memcmp(record.mediaIndex, before.mediaIndex, perSlotValues), 0);
}

}  // namespace
