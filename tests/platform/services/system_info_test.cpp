// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/services/system_info.h"

namespace {

TEST(SystemInfoTest, VersionIsSixPointTwo)
{
    const DWORD version = GetVersion();
    EXPECT_EQ(LOBYTE(LOWORD(version)), 6);
    EXPECT_EQ(HIBYTE(LOWORD(version)), 2);
}

TEST(SystemInfoTest, ChineseLocalesGetTheirOwnIds)
{
    EXPECT_EQ(LangIdFromLocaleName("zh_CN.UTF-8"), 2052);
    EXPECT_EQ(LangIdFromLocaleName("zh_TW.UTF-8"), 1028);
    EXPECT_EQ(LangIdFromLocaleName("zh_HK.UTF-8"), 3076);
    EXPECT_EQ(LangIdFromLocaleName("zh_SG.GB2312"), 4100);
    EXPECT_EQ(LangIdFromLocaleName("zh"), 2052);
}

TEST(SystemInfoTest, OtherLocalesAndUnknownNames)
{
    EXPECT_EQ(LangIdFromLocaleName("en_US.UTF-8"), 1033);
    EXPECT_EQ(LangIdFromLocaleName("en_GB"), 0x0809);
    EXPECT_EQ(LangIdFromLocaleName("de_AT@euro"), 0x0C07);
    EXPECT_EQ(LangIdFromLocaleName("ja_JP.eucJP"), 0x0411);
    EXPECT_EQ(LangIdFromLocaleName("fr_SN.UTF-8"), 0x040C);  // known language, unlisted territory
    EXPECT_EQ(LangIdFromLocaleName("pt"), 0x0416);
    for (const char* unknown : {"C", "C.UTF-8", "POSIX", "", "xx_YY", "EN_us"}) {
        EXPECT_EQ(LangIdFromLocaleName(unknown), 1033) << unknown;
    }
}

TEST(SystemInfoTest, LangFromLocaleConfigurationFiles)
{
    EXPECT_EQ(LangFromLocaleConfig("#  LANG=fr_FR\nLC_TIME=de_DE\nLANG=\"zh_TW.UTF-8\"\n"), "zh_TW.UTF-8");
    EXPECT_EQ(LangFromLocaleConfig("export LANG='en_GB.UTF-8'\r\n"), "en_GB.UTF-8");
    EXPECT_EQ(LangFromLocaleConfig("LANG=\nLANGUAGE=en\n"), std::nullopt);
    EXPECT_EQ(LangFromLocaleConfig(std::string("\0\xFF", 2)), std::nullopt);
}

TEST(SystemInfoTest, TestsChooseTheLanguage)
{
    SetSystemDefaultLangIdForTesting(1028);
    EXPECT_EQ(GetSystemDefaultLangID(), 1028);
    SetSystemDefaultLangIdForTesting(2052);
    EXPECT_EQ(GetSystemDefaultLangID(), 2052);
    SetSystemDefaultLangIdForTesting(std::nullopt);
    EXPECT_NE(GetSystemDefaultLangID(), 0);
}

}  // namespace
