// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/services/runtime_folder.h"
#include "platform/services/user_config_folder.h"
#include "platform/str_conv.h"
#include "settings/settings_file.h"
#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kShipped(kSettingsFileSize, '\x5a');

unsigned Mode(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(UserConfigHomeTest, AbsoluteXdgConfigHomeElseHomeDotConfig)
{
    EXPECT_EQ(UserConfigHome("/x/conf", "/home/u"), "/x/conf");
    EXPECT_EQ(UserConfigHome(nullptr, "/home/u"), "/home/u/.config");
    EXPECT_EQ(UserConfigHome("", "/home/u/"), "/home/u/.config");
    EXPECT_EQ(UserConfigHome("relative/conf", "/home/u"), "/home/u/.config");
    EXPECT_EQ(UserConfigHome(nullptr, "/"), "/.config");
    // A missing or relative HOME falls back on the user database.
    const std::string database = UserHomeFolder();
    const std::string expected = database.empty() || database.front() != '/' ? std::string() : database + "/.config";
    EXPECT_EQ(UserConfigHome(nullptr, nullptr), expected);
    EXPECT_EQ(UserConfigHome("", "home/u"), expected);
}

TEST(UserOwnFolderBelowTest, MakesPrivateFoldersAndRefusesOthersOrOddNames)
{
    CTempFolder temp;
    const std::string home = (temp.Path() / "a/b/conf").string();
    const std::string folder = UserOwnFolderBelow(home, "kx-507");
    ASSERT_EQ(folder, home + "/kx-507");
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(Mode(temp.Path() / "a"), 0700u);
    EXPECT_EQ(UserOwnFolderBelow(home, "kx-507"), folder) << "a second call finds the same folder";

    for (const char* name : {"", ".", "..", "a/b"}) {
        EXPECT_EQ(UserOwnFolderBelow(home, name), "") << name;
    }
    EXPECT_EQ(UserOwnFolderBelow("relative", "kx-507"), "");
    EXPECT_EQ(UserOwnFolderBelow("", "kx-507"), "");

    fs::permissions(folder, fs::perms::group_write, fs::perm_options::add);
    EXPECT_EQ(UserOwnFolderBelow(home, "kx-507"), "") << "a folder others may write to";
    fs::permissions(folder, fs::perms::group_write, fs::perm_options::remove);
    fs::permissions(home, fs::perms::others_write, fs::perm_options::add);
    EXPECT_EQ(UserOwnFolderBelow(home, "kx-507"), "") << "a configuration folder others may write to";

    WriteBytes(temp.File("file-home"), "x");
    EXPECT_EQ(UserOwnFolderBelow(temp.File("file-home").string(), "kx-507"), "");
    const std::string other = (temp.Path() / "other").string();
    WriteBytes(other + "-file", "x");
    fs::create_directory(other);
    fs::create_symlink(other + "-file", other + "/kx-507");
    EXPECT_EQ(UserOwnFolderBelow(other, "kx-507"), "") << "a link to a file";
    if (::geteuid() == 0) {
        fs::create_directory(other + "/theirs");
        ASSERT_EQ(::chown((other + "/theirs").c_str(), 65534, 65534), 0);
        EXPECT_EQ(UserOwnFolderBelow(other, "theirs"), "") << "another user's folder";
    }
}

TEST(FolderDeniesWritingTest, OnlyAnExistingClosedFolderDenies)
{
    CTempFolder temp;
    EXPECT_FALSE(FolderDeniesWriting(temp.Path().string()));
    EXPECT_FALSE(FolderDeniesWriting((temp.Path() / "missing").string()));
    EXPECT_FALSE(FolderDeniesWriting(""));
    fs::create_directory(temp.Path() / "closed");
    fs::permissions(temp.Path() / "closed", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(RunBoundByPermissions(temp, [&] { return FolderDeniesWriting((temp.Path() / "closed").string()); }), 1);
}

class SettingsPlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(m_temp.Path() / "program");
        WriteBytes(m_temp.Path() / "program/config.bin", kShipped);
    }
    std::u16string Module() const { return Utf8ToUtf16((m_temp.Path() / "program/KX-507").string()); }
    std::string Home() const { return (m_temp.Path() / "conf").string(); }
    fs::path Own(const std::string& name) const { return m_temp.Path() / "conf/kx-507" / name; }
    SettingsFilePaths Paths() const { return SettingsFilePathsFor(Module(), {true, Home()}); }

    CTempFolder m_temp;
};

TEST_F(SettingsPlacementTest, WritableProgramFolderKeepsTheFilesBesideIt)
{
    const SettingsFilePaths paths = SettingsFilePathsFor(Module(), {false, Home()});
    EXPECT_EQ(paths.modulePath, Module());
    EXPECT_EQ(fs::path(paths.settingsFile), m_temp.Path() / "program/config.bin");
    EXPECT_EQ(fs::path(paths.labelFile), m_temp.Path() / "program/str.ini");
    EXPECT_FALSE(fs::exists(Home())) << "nothing is made in the configuration folder";
}

TEST_F(SettingsPlacementTest, ClosedProgramFolderUsesTheUsersFolderSeededOnce)
{
    SettingsFilePaths paths = Paths();
    EXPECT_EQ(fs::path(paths.settingsFile), Own("config.bin"));
    EXPECT_EQ(fs::path(paths.labelFile), Own("str.ini"));
    EXPECT_EQ(paths.modulePath, Module());
    EXPECT_EQ(ReadBytes(Own("config.bin")), kShipped);
    EXPECT_FALSE(fs::exists(Own("str.ini"))) << "str.ini is made by the first save, as beside the program";

    const std::string mine(kSettingsFileSize, '\x01');
    WriteBytes(Own("config.bin"), mine);
    paths = Paths();
    EXPECT_EQ(ReadBytes(Own("config.bin")), mine) << "the user's settings are never reseeded";
}

TEST_F(SettingsPlacementTest, OnlyAWholeShippedFileSeeds)
{
    for (const std::string& shipped : {std::string(), std::string(kSettingsFileSize - 1, 'a'),
                                       std::string(kSettingsFileSize + 1, 'a')}) {
        WriteBytes(m_temp.Path() / "program/config.bin", shipped);
        Paths();
        EXPECT_FALSE(fs::exists(Own("config.bin"))) << shipped.size() << " bytes";
    }
    fs::remove(m_temp.Path() / "program/config.bin");
    ASSERT_EQ(::mkfifo((m_temp.Path() / "program/config.bin").c_str(), 0600), 0);
    Paths();  // a pipe is refused, not waited on
    EXPECT_FALSE(fs::exists(Own("config.bin")));
}

TEST_F(SettingsPlacementTest, WhateverStandsInTheFilesPlaceIsLeftAlone)
{
    fs::create_directories(Own("config.bin"));
    EXPECT_EQ(fs::path(Paths().settingsFile), Own("config.bin"));
    EXPECT_TRUE(fs::is_directory(Own("config.bin")));
}

TEST_F(SettingsPlacementTest, UnusableUsersFolderLeavesTheFilesBesideTheProgram)
{
    WriteBytes(Home(), "a file, not a folder");
    const SettingsFilePaths paths = Paths();
    EXPECT_EQ(fs::path(paths.settingsFile), m_temp.Path() / "program/config.bin");
    EXPECT_EQ(ReadBytes(Home()), "a file, not a folder");
    EXPECT_EQ(fs::path(SettingsFilePathsFor(Module(), {true, ""}).labelFile), m_temp.Path() / "program/str.ini");
}

// The real decision, in a process that permissions bind: a closed program
// folder sends the files to $XDG_CONFIG_HOME, an open one keeps them beside.
TEST_F(SettingsPlacementTest, ProcessEnvironmentDecides)
{
    fs::permissions(m_temp.Path() / "program", fs::perms::owner_read | fs::perms::owner_exec);
    const int status = RunBoundByPermissions(m_temp, [&] {
        ::setenv("XDG_CONFIG_HOME", Home().c_str(), 1);
        const SettingsFilePaths closed = SettingsFilePathsFor(Module());
        fs::permissions(m_temp.Path() / "program", fs::perms::owner_all);
        const SettingsFilePaths open = SettingsFilePathsFor(Module());
        return (fs::path(closed.settingsFile) == Own("config.bin") ? 0 : 1) |
               (ReadBytes(Own("config.bin")) == kShipped ? 0 : 2) |
               (fs::path(open.settingsFile) == m_temp.Path() / "program/config.bin" ? 0 : 4);
    });
    EXPECT_EQ(status, 0);
}

}  // namespace
