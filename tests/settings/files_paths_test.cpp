// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include <gtest/gtest.h>

#include "settings/exe_path.h"
#include "settings/settings_file.h"

namespace {

TEST(ReplaceExeNameTest, ReplacesEveryCaseSensitiveOccurrence)
{
    std::u16string path = u"C:\\Games\\KX-507.exe\\KX-507.exe";
    EXPECT_EQ(ReplaceExeName(path, u"config.bin"), 2);
    EXPECT_EQ(path, u"C:\\Games\\config.bin\\config.bin");

    std::u16string other = u"/opt/kx-507.EXE/KX-507";
    EXPECT_EQ(ReplaceExeName(other, u"str.ini"), 0);
    EXPECT_EQ(other, u"/opt/kx-507.EXE/KX-507");
}

TEST(ReplaceExeNameTest, NameHoldingTheExeNameIsNotReplacedAgain)
{
    std::u16string path = u"/a/KX-507.exe";
    EXPECT_EQ(ReplaceExeName(path, u"KX-507.exe.old"), 1);
    EXPECT_EQ(path, u"/a/KX-507.exe.old");
}

TEST(PathBesideExeTest, ShippedNameGivesExactlyTheReplacement)
{
    EXPECT_EQ(PathBesideExe(u"/opt/kx/KX-507.exe", u"config.bin"), u"/opt/kx/config.bin");
    EXPECT_EQ(PathBesideExe(u"/opt/kx/KX-507.exe", u"/Skins/EN"), u"/opt/kx//Skins/EN");
    EXPECT_EQ(PathBesideExe(u"/opt/KX-507.exe/KX-507.exe", u"str.ini"), u"/opt/str.ini/str.ini");
}

TEST(PathBesideExeTest, AnyOtherNameGivesFolderAndName)
{
    EXPECT_EQ(PathBesideExe(u"/home/u/kx/KX-507-demo", u"config.bin"), u"/home/u/kx/config.bin");
    EXPECT_EQ(PathBesideExe(u"/home/u/kx/KX-507", u"/Skins/CHS"), u"/home/u/kx/Skins/CHS");
    EXPECT_EQ(PathBesideExe(u"/KX-507", u"str.ini"), u"/str.ini");
    EXPECT_EQ(PathBesideExe(u"", u"/Skins/EN"), u"./Skins/EN");
}

TEST(PathBesideExeTest, RunningExecutableAndSettingsPaths)
{
    const std::u16string module = ModulePath();
    ASSERT_FALSE(module.empty());
    EXPECT_EQ(module.front(), u'/');
    const std::u16string folder = module.substr(0, module.find_last_of(u'/') + 1);
    EXPECT_EQ(PathBesideExe(u"config.bin"), folder + u"config.bin");

    SetModulePathForTesting(u"/tmp/run/KX-507-demo");
    EXPECT_EQ(PathBesideExe(u"/Skins/EN"), u"/tmp/run/Skins/EN");
    SetModulePathForTesting(std::nullopt);
    EXPECT_EQ(ModulePath(), module);

    const SettingsFilePaths paths = SettingsFilePathsFor(u"/opt/kx/KX-507-demo");
    EXPECT_EQ(paths.modulePath, u"/opt/kx/KX-507-demo");
    EXPECT_EQ(paths.settingsFile, u"/opt/kx/config.bin");
    EXPECT_EQ(paths.labelFile, u"/opt/kx/str.ini");
}

}  // namespace
