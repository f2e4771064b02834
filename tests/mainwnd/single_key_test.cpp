// SPDX-License-Identifier: GPL-3.0-or-later
// Every key the desktop can report, pressed into the single key dialog: the
// name it shows and the key code and label a Save would store for it.

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <filesystem>
#include <map>
#include <string>

#include "dialogs/single_dialog.h"
#include "mainwnd/slot_dialogs.h"
#include "mainwnd/slot_assignment.h"
#include "platform/services/system_info.h"
#include "settings/exe_path.h"
#include "settings/image_encoding.h"
#include "tests/support/headless.h"
#include "tests/support/output_folder.h"
#include "tests/support/process_state.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr CPoint kSave{200, 270};

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

struct Expected {
    std::u16string name;  // as a US English keyboard names it
    std::uint8_t code;    // the key-name table's; 0x00 for a name it lacks
};

// The keys by evdev code. Every code missing here must show no name.
const std::map<int, Expected>& KeysByEvdevCode()
{
    static const std::map<int, Expected> keys = [] {
        std::map<int, Expected> k = {
            {KEY_ESC, {u"Esc", 0x29}}, {KEY_MINUS, {u"-", 0x2D}}, {KEY_EQUAL, {u"=", 0x2E}},
            {KEY_BACKSPACE, {u"Backspace", 0x2A}}, {KEY_TAB, {u"Tab", 0x2B}}, {KEY_LEFTBRACE, {u"[", 0x2F}},
            {KEY_RIGHTBRACE, {u"]", 0x30}}, {KEY_ENTER, {u"Enter", 0x28}}, {KEY_LEFTCTRL, {u"Ctrl", 0xE0}},
            {KEY_SEMICOLON, {u";", 0x33}}, {KEY_APOSTROPHE, {u"'", 0x34}}, {KEY_GRAVE, {u"`", 0x35}},
            {KEY_LEFTSHIFT, {u"Shift", 0xE1}}, {KEY_BACKSLASH, {u"\\", 0x00}}, {KEY_COMMA, {u",", 0x36}},
            {KEY_DOT, {u".", 0x37}}, {KEY_SLASH, {u"/", 0x38}}, {KEY_RIGHTSHIFT, {u"Right Shift", 0xE5}},
            {KEY_KPASTERISK, {u"Num *", 0x55}}, {KEY_LEFTALT, {u"Alt", 0xE2}}, {KEY_SPACE, {u"Space", 0x2C}},
            {KEY_CAPSLOCK, {u"Caps Lock", 0x39}}, {KEY_NUMLOCK, {u"Num Lock", 0x53}},
            {KEY_SCROLLLOCK, {u"Scroll Lock", 0x47}}, {KEY_KPMINUS, {u"Num -", 0x56}},
            {KEY_KPPLUS, {u"Num +", 0x57}}, {KEY_KPDOT, {u"Num Del", 0x63}}, {KEY_102ND, {u"\\", 0x00}},
            {KEY_F11, {u"F11", 0x44}}, {KEY_F12, {u"F12", 0x45}}, {KEY_KPENTER, {u"Num Enter", 0x58}},
            {KEY_RIGHTCTRL, {u"Right Ctrl", 0xE4}}, {KEY_KPSLASH, {u"Num /", 0x54}},
            {KEY_SYSRQ, {u"Prnt Scrn", 0x46}}, {KEY_RIGHTALT, {u"Right Alt", 0xE6}}, {KEY_HOME, {u"Home", 0x4A}},
            {KEY_UP, {u"Up", 0x52}}, {KEY_PAGEUP, {u"Page Up", 0x4B}}, {KEY_LEFT, {u"Left", 0x50}},
            {KEY_RIGHT, {u"Right", 0x4F}}, {KEY_END, {u"End", 0x4D}}, {KEY_DOWN, {u"Down", 0x51}},
            {KEY_PAGEDOWN, {u"Page Down", 0x4E}}, {KEY_INSERT, {u"Insert", 0x49}},
            {KEY_DELETE, {u"Delete", 0x4C}}, {KEY_PAUSE, {u"Pause", 0x48}},
            {KEY_LEFTMETA, {u"Left Windows", 0xE3}}, {KEY_RIGHTMETA, {u"Right Windows", 0xE7}},
            {KEY_COMPOSE, {u"Application", 0x00}},
        };
        const std::u16string letters = u"QWERTYUIOPASDFGHJKLZXCVBNM";
        const int letterCodes[] = {KEY_Q, KEY_W, KEY_E, KEY_R, KEY_T, KEY_Y, KEY_U, KEY_I, KEY_O, KEY_P, KEY_A,
            KEY_S, KEY_D, KEY_F, KEY_G, KEY_H, KEY_J, KEY_K, KEY_L, KEY_Z, KEY_X, KEY_C, KEY_V, KEY_B, KEY_N, KEY_M};
        for (std::size_t i = 0; i < letters.size(); ++i) {
            k[letterCodes[i]] = {letters.substr(i, 1), static_cast<std::uint8_t>(0x04 + letters[i] - u'A')};
        }
        for (int d = 0; d < 10; ++d) {  // KEY_1 ... KEY_9, KEY_0
            k[KEY_1 + d] = {std::u16string(1, static_cast<char16_t>(u'0' + (d + 1) % 10)),
                static_cast<std::uint8_t>(0x1E + d)};
        }
        for (int f = 0; f < 10; ++f) {
            k[KEY_F1 + f] = {Ascii("F" + std::to_string(f + 1)), static_cast<std::uint8_t>(0x3A + f)};
        }
        for (int f = 0; f < 12; ++f) {  // no row in the key-name table
            k[KEY_F13 + f] = {Ascii("F" + std::to_string(f + 13)), 0x00};
        }
        // The keypad by its position: 7 8 9 / 4 5 6 / 1 2 3 / 0.
        const int keypad[] = {KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4, KEY_KP5, KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9, KEY_KP0};
        for (int d = 0; d < 10; ++d) {
            k[keypad[d]] = {u"Num " + std::u16string(1, static_cast<char16_t>(u'0' + (d + 1) % 10)),
                static_cast<std::uint8_t>(0x59 + d)};
        }
        return k;
    }();
    return keys;
}

// The code the table above gives a name; 0x00 for no name.
std::uint8_t CodeOfName(const std::u16string& name)
{
    for (const auto& [evdev, key] : KeysByEvdevCode()) {
        if (key.name == name) {
            return key.code;
        }
    }
    return 0x00;
}

// Keys known only by the toolkit's key value, where no evdev code comes.
const std::map<std::string, std::u16string>& NamesOfToolkitKeys()
{
    static const std::map<std::string, std::u16string> names = [] {
        std::map<std::string, std::u16string> n = {{"Key_Escape", u"Esc"}, {"Key_Return", u"Enter"},
            {"Key_Enter", u"Num Enter"}, {"Key_Backspace", u"Backspace"}, {"Key_Tab", u"Tab"},
            {"Key_Space", u"Space"}, {"Key_Any", u"Space"}, {"Key_Control", u"Ctrl"}, {"Key_Shift", u"Shift"}, {"Key_Alt", u"Alt"}};
        for (char c = 'A'; c <= 'Z'; ++c) {
            n[std::string("Key_") + c] = std::u16string(1, static_cast<char16_t>(c));
        }
        for (char c = '0'; c <= '9'; ++c) {
            n[std::string("Key_") + c] = std::u16string(1, static_cast<char16_t>(c));
        }
        for (int f = 1; f <= 24; ++f) {
            n["Key_F" + std::to_string(f)] = Ascii("F" + std::to_string(f));
        }
        return n;
    }();
    return names;
}

class SingleKeyTest : public HeadlessProgramTest {
protected:
    void SetUp() override
    {
        HeadlessProgramTest::SetUp();
        SetModulePathForTesting((std::filesystem::path(BuildOutputFolder()) / "KX-507").u16string());
        SetSystemDefaultLangIdForTesting(1033);
        FillMainWindowStrings(m_strings, Language::English);
        ASSERT_TRUE(m_owner.Create(test_dialogs::kPlain.id));
    }
    void TearDown() override
    {
        SetSystemDefaultLangIdForTesting(std::nullopt);
        SetModulePathForTesting(std::nullopt);
        HeadlessProgramTest::TearDown();
    }

    // What the dialog shows after the key, and what a Save would store.
    void ExpectStored(HWND dialog, const Expected& expected)
    {
        const auto* single = dynamic_cast<const CSingleDialog*>(CWnd::FromHandle(dialog));
        ASSERT_NE(single, nullptr);
        EXPECT_EQ(single->KeyName(), expected.name);
        std::u16string label;
        StoreSlotDialogResult(m_record, label, {0, 3}, *FindSlotFunction(FunctionCode::kFunctionSingleKey),
                              SingleKeyChoice{single->KeyName()}, m_strings);
        EXPECT_EQ(m_record.singleKeyCode[SlotIndex(0, 3)], expected.code);
        EXPECT_EQ(label, u"Single Key-" + expected.name);
    }

    CDialog m_owner{test_dialogs::kPlain};
    CAssignmentDialogs m_dialogs;
    MainWindowStrings m_strings;
    SettingsRecord m_record{};
};

TEST_F(SingleKeyTest, EveryReportedKeyShowsItsUsNameAndStoresTheTableCode)
{
    wndtest::QueueModalAction([&](HWND dialog) {
        // A key without a name shows none, whatever was pressed before it.
        for (int evdev = 1; evdev < 256; ++evdev) {
            SCOPED_TRACE(testing::Message() << "evdev code " << evdev);
            const auto row = KeysByEvdevCode().find(evdev);
            wndtest::ReportedKeyPress(dialog, evdev);
            ExpectStored(dialog, row != KeysByEvdevCode().end() ? row->second : Expected{u"", 0x00});
        }
        for (const auto& [key, keyName] : wndtest::ToolkitKeys()) {
            SCOPED_TRACE(keyName);
            const auto name = NamesOfToolkitKeys().find(keyName);
            const std::u16string expected = name != NamesOfToolkitKeys().end() ? name->second : u"";
            wndtest::ReportedKeyPress(dialog, 0, key);
            ExpectStored(dialog, {expected, CodeOfName(expected)});
        }
        wndtest::ReportedKeyPress(dialog, KEY_F13);
        wndtest::Click(dialog, kSave);
    });
    const SlotDialogResult result = m_dialogs.RunSlotDialog(SlotDialog::SingleKey, m_owner);
    const auto* single = std::get_if<SingleKeyChoice>(&result);
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->keyName, u"F13");
}

}  // namespace
