#include <gtest/gtest.h>

#include "app/lang/language.h"
#include "app/lang/main_strings.h"

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

TEST(MainWindowStrings, EnglishTextsKeepTheirWordingAndTrailingBlanks)
{
    MainWindowStrings strings;
    FillMainWindowStrings(strings, Language::English);
    EXPECT_EQ(strings.strDpiStage1, u"Switch DPI into the first stage ");
    EXPECT_EQ(strings.strDpiStage4, u"Switch DPI into the fourth stage ");
    EXPECT_EQ(strings.strMouseFound, u"The system detect the gaming mouse.");
    EXPECT_EQ(strings.strMouseNotFound, u"The system did not detect the gaming mouse!");
    EXPECT_EQ(strings.strRate125, u"Switch report rate into 125HZ");
    EXPECT_EQ(strings.strSettingsSection, u"Setting-EN");
    EXPECT_EQ(strings.strHotKey, u"HotKey");
}

TEST(MainWindowStrings, ChineseTextsUseFullWidthPunctuationAndNoTrailingBlank)
{
    MainWindowStrings simplified;
    FillMainWindowStrings(simplified, Language::SimplifiedChinese);
    EXPECT_EQ(simplified.strMouseNotFound, u"系统没有检测到游戏鼠标！");
    EXPECT_EQ(simplified.strMouseFound, u"系统检测到游戏鼠标。");
    EXPECT_EQ(simplified.strDpiStage2 + u"1000", u"DPI切换到第二段1000");
    EXPECT_EQ(simplified.strSettingsSection, u"Setting-CHS");

    MainWindowStrings traditional;
    FillMainWindowStrings(traditional, Language::TraditionalChinese);
    EXPECT_EQ(traditional.strLeftKeyRequired, u"左鍵功能必須選擇！");
    EXPECT_EQ(traditional.strKeyMatrix1, u"切換到按鍵群組1");
    EXPECT_EQ(traditional.strHotKey, u"快速鍵");
    EXPECT_EQ(traditional.strSettingsSection, u"Setting-CHT");
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

TEST(DialogTexts, ConfirmAndCancelInEachLanguage)
{
    EXPECT_EQ(kConfirmText.In(Language::English), u"OK");
    EXPECT_EQ(kConfirmText.In(Language::SimplifiedChinese), u"确定");
    EXPECT_EQ(kConfirmText.In(Language::TraditionalChinese), u"確定");
    EXPECT_EQ(kCancelText.In(Language::English), u"Cancel");
    EXPECT_EQ(kCancelText.In(Language::TraditionalChinese), u"取消");
}

}  // namespace
