// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "lang/language.h"
#include "lang/main_strings.h"

namespace {

TEST(LanguageRule, OnlyTheExactChineseIdsPickChinese)
{
    EXPECT_EQ(LanguageFromLangId(2052), Language::SimplifiedChinese);
    EXPECT_EQ(LanguageFromLangId(1028), Language::TraditionalChinese);
    for (LANGID other : {LANGID{3076}, LANGID{4100}, LANGID{1033}, LANGID{5124}, LANGID{0x0004}, LANGID{0}}) {
        EXPECT_EQ(LanguageFromLangId(other), Language::English) << "language id " << other;
    }
}

TEST(MainWindowStrings, FillsEverySlotForEachLanguage)
{
    for (Language language : {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
        MainWindowStrings strings;
        FillMainWindowStrings(strings, language);
        const std::u16string* slots[] = {
            &strings.strLeftClick,   &strings.strRightClick,      &strings.strMidClick,    &strings.strForward,
            &strings.strBackward,    &strings.strDpiSwitch,       &strings.strWindows,     &strings.strMultimedia,
            &strings.strHotKey,      &strings.strFireKey,         &strings.strSingleKey,   &strings.strSnipeKey,
            &strings.strKeyOff,      &strings.strShift,           &strings.strLeftKeyRequired,
            &strings.strWebSite,     &strings.strRate1000,        &strings.strRate500,     &strings.strRate250,
            &strings.strRate125,     &strings.strDpiStage1,       &strings.strDpiStage2,   &strings.strDpiStage3,
            &strings.strDpiStage4,   &strings.strKeyMatrix1,      &strings.strKeyMatrix2,  &strings.strMacroKeySwitch,
            &strings.strExit,        &strings.strMouseNotFound,   &strings.strMouseFound,  &strings.strSettingsSection,
        };
        static_assert(sizeof(MainWindowStrings) == std::size(slots) * sizeof(std::u16string),
                      "every slot of the struct is checked here");
        for (const std::u16string* slot : slots) {
            EXPECT_FALSE(slot->empty()) << "slot " << (slot - &strings.strLeftClick);
        }
    }
}

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese};

MainWindowStrings StringsIn(Language language)
{
    MainWindowStrings strings;
    FillMainWindowStrings(strings, language);
    return strings;
}

// A balloon appends the stage's DPI value to its text: English needs the
// blank before it, Chinese runs on without one.
TEST(MainWindowStrings, OnlyEnglishStageTextsLeaveABlankForTheValue)
{
    for (Language language : kLanguages) {
        const MainWindowStrings strings = StringsIn(language);
        for (const std::u16string* stage :
             {&strings.strDpiStage1, &strings.strDpiStage2, &strings.strDpiStage3, &strings.strDpiStage4}) {
            EXPECT_EQ(stage->back() == u' ', language == Language::English) << static_cast<int>(language);
        }
    }
}

// Each language reads its own labels from str.ini and shows its own texts:
// a column taken from the wrong language would show up here.
TEST(MainWindowStrings, EachLanguageHasItsOwnLabelSectionAndMessages)
{
    const MainWindowStrings english = StringsIn(Language::English);
    const MainWindowStrings simplified = StringsIn(Language::SimplifiedChinese);
    const MainWindowStrings traditional = StringsIn(Language::TraditionalChinese);
    EXPECT_NE(english.strSettingsSection, simplified.strSettingsSection);
    EXPECT_NE(english.strSettingsSection, traditional.strSettingsSection);
    EXPECT_NE(simplified.strSettingsSection, traditional.strSettingsSection);
    EXPECT_NE(simplified.strLeftKeyRequired, traditional.strLeftKeyRequired);
    EXPECT_NE(english.strMouseNotFound, simplified.strMouseNotFound);
    // Chinese messages end in full-width punctuation, never an ASCII mark.
    for (const MainWindowStrings* chinese : {&simplified, &traditional}) {
        for (const std::u16string* message :
             {&chinese->strMouseNotFound, &chinese->strMouseFound, &chinese->strLeftKeyRequired}) {
            EXPECT_GT(message->back(), u'\x7F') << "a full-width mark ends the message";
        }
    }
}

// Filling again in another language leaves nothing of the first behind.
TEST(MainWindowStrings, RefillingReplacesEveryText)
{
    MainWindowStrings strings = StringsIn(Language::SimplifiedChinese);
    FillMainWindowStrings(strings, Language::English);
    const MainWindowStrings english = StringsIn(Language::English);
    EXPECT_EQ(strings.strMouseNotFound, english.strMouseNotFound);
    EXPECT_EQ(strings.strSettingsSection, english.strSettingsSection);
    EXPECT_EQ(strings.strDpiStage4, english.strDpiStage4);
    EXPECT_EQ(strings.strExit, english.strExit);
}

TEST(MainWindowStrings, WebAddressIsTheSameInEveryLanguage)
{
    MainWindowStrings english;
    MainWindowStrings simplified;
    MainWindowStrings traditional;
    FillMainWindowStrings(english, Language::English);
    FillMainWindowStrings(simplified, Language::SimplifiedChinese);
    FillMainWindowStrings(traditional, Language::TraditionalChinese);
    EXPECT_EQ(english.strWebSite, simplified.strWebSite);
    EXPECT_EQ(english.strWebSite, traditional.strWebSite);
    EXPECT_EQ(english.strWebSite.substr(0, 7), u"http://");
}

}  // namespace
