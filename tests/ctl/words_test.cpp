// SPDX-License-Identifier: GPL-3.0-or-later
// The command names every slot as the window does: its label after the
// function was chosen and the function's dialog confirmed with the record's
// values, in every language the program has.

#include <gtest/gtest.h>

#include <random>

#include "lang/main_strings.h"
#include "ctl/image_view.h"
#include "settings/settings_words.h"
#include "ctl/show.h"
#include "mainwnd/slot_assignment.h"
#include "platform/str_conv.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"
#include "tests/ctl/random_record.h"
#include "tests/support/process_state.h"

namespace {

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese};

std::u16string Wide(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// What the key page's label becomes when the slot's function is chosen from
// the list and its dialog confirmed with the values the record holds.
std::u16string WindowLabel(const SettingsRecord& record, SlotRef ref, Language language)
{
    MainWindowStrings strings;
    FillMainWindowStrings(strings, language);
    SettingsRecord scratch = record;
    const std::size_t i = SlotIndex(ref.keySet, ref.slot);
    std::u16string label(FunctionListEntries(strings, 0)[record.buttonFunction[i]]);
    const SlotFunction* function = FindSlotFunction(record.buttonFunction[i]);
    if (function == nullptr) {
        return label;
    }
    switch (function->dialog) {
    case SlotDialog::Windows: {
        const auto position = record.windowsIndex[i];
        StoreSlotDialogResult(scratch, label, ref, *function,
                              ListChoice{position, std::u16string(kWindowsFunctionList[position].In(language))}, strings);
        break;
    }
    case SlotDialog::Multimedia: {
        const auto position = record.mediaIndex[i];
        StoreSlotDialogResult(scratch, label, ref, *function,
                              ListChoice{position, std::u16string(kMultimediaList[position].In(language))}, strings);
        break;
    }
    case SlotDialog::HotKey: {
        const auto position = record.hotKeyIndex[i];
        StoreSlotDialogResult(scratch, label, ref, *function,
                              ListChoice{position, std::u16string(kHotKeyPresetList[position].In(language))}, strings);
        break;
    }
    case SlotDialog::FireKey: {
        const auto position = record.fireKeyIndex[i];
        StoreSlotDialogResult(scratch, label, ref, *function,
                              FireKeyChoice{position, Wide(kFireKeyList[position].name), 0, 5, 5}, strings);
        break;
    }
    case SlotDialog::SingleKey: {
        const auto name = KeyNameOfCode(record.singleKeyCode[i]);
        StoreSlotDialogResult(scratch, label, ref, *function, SingleKeyChoice{Wide(name.value_or(""))}, strings);
        break;
    }
    case SlotDialog::Snipe: {
        const auto position = record.snipeIndex[i];
        StoreSlotDialogResult(scratch, label, ref, *function,
                              ListChoice{position, std::u16string(DpiValueTextOfPosition(position))}, strings);
        break;
    }
    }
    return label;
}

// The snipe dialog's labels read the table set in force: each test leaves it
// as a fresh process has it.
class SettingsWords : public ProcessStateTest {};

}  // namespace

TEST_F(SettingsWords, EverySlotGetsTheWindowsOwnLabelInEveryLanguage)
{
    std::mt19937 random(21);
    for (int round = 0; round < 300; ++round) {
        const auto dpiTable = static_cast<std::uint8_t>(round % 4);
        DpiTableSet = dpiTable;  // the snipe dialog lists the table in force
        const SettingsRecord record = RandomRecord(random, dpiTable);
        for (const Language language : kLanguages) {
            for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
                for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
                    EXPECT_EQ(SlotLabelOf(record, keySet, slot, language, dpiTable),
                              WindowLabel(record, SlotRef{keySet, slot}, language))
                        << "round " << round << " key set " << keySet << " slot " << slot;
                }
            }
        }
    }
}

TEST_F(SettingsWords, ShowPrintsTheDetailsInTheChosenLanguage)
{
    SettingsRecord record{};
    SetKeyRecoverDefaults(record);
    record.fireMakeTime = 30;
    record.fireBreakTime = 40;
    record.buttonFunction[SlotIndex(0, 2)] = kFunctionFireKey;
    record.fireKeyIndex[SlotIndex(0, 2)] = 44;
    record.fireKeyCode[SlotIndex(0, 2)] = 0xE4;
    record.fireRepeatCount[SlotIndex(0, 2)] = 3;
    record.buttonFunction[SlotIndex(1, 4)] = kFunctionMultimedia;
    record.mediaIndex[SlotIndex(1, 4)] = 4;
    record.buttonFunction[SlotIndex(1, 5)] = kFunctionSnipeKey;
    record.snipeIndex[SlotIndex(1, 5)] = 2;
    const SettingsView view{record, 1, false};
    const std::string english = ShowText(view, Language::English);
    EXPECT_NE(english.find("key set 1:\n  button 1: Left Click\n  button 2: Right Click\n"
                           "  button 3: Fire Key: R-CTRL, repeat 3, press 30, release 40\n"),
              std::string::npos) << english;
    EXPECT_NE(english.find("  button 5: Multimedia: Mute\n  button 6: Snipe Key: 1000 DPI\n"), std::string::npos);
    EXPECT_NE(english.find("DPI stage 2: 1200 DPI, enabled\n"), std::string::npos) << english;
    EXPECT_NE(english.find("report rate: 125 Hz\n"), std::string::npos);
    const std::string chinese = ShowText(view, Language::SimplifiedChinese);
    EXPECT_NE(chinese.find("  button 5: " + Utf16ToUtf8(u"多媒体") + ": " + Utf16ToUtf8(u"静音")), std::string::npos)
        << chinese;
    const std::string json = ShowJson(view);
    EXPECT_NE(json.find("\"multimedia\" : \"Mute\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"fire_key\" : \"R-CTRL\""), std::string::npos) << json;
}

TEST_F(SettingsWords, TheMousesButtonMapsReadBackAsTheFunctionsThatWroteThem)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const auto dpiTable = static_cast<std::uint8_t>(round % 4);
        SettingsRecord record = RandomRecord(random, dpiTable);
        DeviceImage image{};
        EncodeRecordIntoImage(record, dpiTable, image);
        const SettingsView view = ViewOfImage(image, dpiTable);
        for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
            for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
                const std::size_t i = SlotIndex(keySet, slot);
                const bool unnamedFire = record.buttonFunction[i] == kFunctionFireKey && record.fireKeyCode[i] == 0;
                if (unnamedFire || (record.buttonFunction[i] == kFunctionSingleKey && record.singleKeyCode[i] == 0)) {
                    continue;  // code 0 reads back as no function
                }
                EXPECT_EQ(ButtonBytesOfSlot(view.record, keySet, slot), ButtonBytesOfSlot(record, keySet, slot));
                if (record.buttonFunction[i] == kFunctionSingleKey && record.singleKeyCode[i] >= kMouseLeft) {
                    continue;  // a single key "L-Button" is a left click to the mouse
                }
                const auto expected = SlotInWords(record, keySet, slot, Language::English, dpiTable);
                const auto read = SlotInWords(view.record, keySet, slot, Language::English, dpiTable);
                EXPECT_EQ(read.function, expected.function);
                if (record.buttonFunction[i] != kFunctionSnipeKey) {
                    EXPECT_EQ(read.detail, expected.detail) << "round " << round;
                }
            }
        }
        EXPECT_EQ(view.record.dpiStageEnabled[0], record.dpiStageEnabled[0] ? 1 : 0);
    }
}
