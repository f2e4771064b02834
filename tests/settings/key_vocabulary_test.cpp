// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/key_vocabulary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(KeyCodeFromName, FindsNamesExactlyAsTheTableWritesThem)
{
    const std::pair<std::u16string_view, std::uint8_t> cases[] = {
        {u"A", 0x04},         {u"Z", 0x1D},         {u"1", 0x1E},          {u"0", 0x27},
        {u"Enter", 0x28},     {u"Space", 0x2C},     {u"]", 0x30},          {u"Eurpo(Note 2)", 0x32},
        {u";", 0x33},         {u"/", 0x38},         {u"Caps Lock", 0x39},  {u"F1", 0x3A},
        {u"F12", 0x45},       {u"Prnt Scrn", 0x46}, {u"Page Down", 0x4E},  {u"Right", 0x4F},
        {u"Up", 0x52},        {u"Num Lock", 0x53},  {u"Num Enter", 0x58},  {u"Num 1", 0x59},
        {u"Num 0", 0x62},     {u"Num Del", 0x63},   {u"Ctrl", 0xE0},       {u"Right Ctrl", 0xE4},
        {u"Right Windows", 0xE7}, {u"L-Button", 0xF0}, {u"M-Button", 0xF2},
    };
    for (const auto& [name, code] : cases) {
        EXPECT_EQ(KeyCodeFromName(name), code) << std::string(name.begin(), name.end());
    }
}

TEST(KeyCodeFromName, AnythingElseGivesZero)
{
    for (std::u16string_view name : {u"a", u"ctrl", u"ESC", u" Esc", u"Esc ", u"", u"\\", u"B4-Button",
                                     u"Strg", u"Europe", u"Num", u"F13", u"控制"}) {
        EXPECT_EQ(KeyCodeFromName(name), 0x00);
    }
}

TEST(KeyNameTable, HasOneRowPerNameAndCode)
{
    std::set<std::string_view> names;
    std::set<std::uint8_t> codes;
    for (const KeyNameRow& row : kKeyNameTable) {
        names.insert(row.name);
        codes.insert(row.code);
    }
    EXPECT_EQ(names.size(), kKeyNameRows);
    EXPECT_EQ(codes.size(), kKeyNameRows);
    EXPECT_FALSE(codes.contains(0x31)) << "no backslash row";
}

TEST(FireKeyCodeFromIndex, MapsEveryListPosition)
{
    const std::pair<int, std::uint8_t> cases[] = {
        {0, 0xF0},  {3, 0xF3},  {4, 0xF4},  {5, 0x04},  {30, 0x1D}, {31, 0x1E}, {40, 0x27},
        {41, 0xE0}, {43, 0xE2}, {44, 0xE4}, {45, 0xE5}, {46, 0xE6}, {47, 0x3A}, {58, 0x45},
        {59, 0x00}, {255, 0x00},
    };
    for (const auto& [position, code] : cases) {
        EXPECT_EQ(FireKeyCodeFromIndex(static_cast<std::uint8_t>(position)), code) << "position " << position;
    }
    EXPECT_EQ(kFireKeyList[44].name, "R-CTRL");
    EXPECT_EQ(kFireKeyList[3].name, "B4-Button");
}

TEST(FunctionLists, EveryEntryHasItsThreeTexts)
{
    auto check = [](const auto& list) {
        for (const LocalizedText& text : list) {
            EXPECT_FALSE(text.english.empty());
            EXPECT_FALSE(text.simplifiedChinese.empty());
            EXPECT_FALSE(text.traditionalChinese.empty());
        }
    };
    check(kMultimediaList);
    check(kWindowsFunctionList);
    check(kHotKeyPresetList);
    EXPECT_EQ(kMultimediaList[3].In(Language::TraditionalChinese), u"播放/暫停");
    EXPECT_EQ(kWindowsFunctionList[6].In(Language::SimplifiedChinese), u"浏览器-后退");
    EXPECT_EQ(kHotKeyPresetList[3].In(Language::English), u"Select all");
    EXPECT_EQ(kHotKeyPresetList[0].In(Language::TraditionalChinese), u"複製");
}

}  // namespace
