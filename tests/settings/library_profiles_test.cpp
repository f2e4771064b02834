// SPDX-License-Identifier: GPL-3.0-or-later
// The profile library: names that could leave the folder or hide a file are
// refused, saving makes private folders and replaces whole files, and
// whatever else lies in the folder (links, pipes, folders, giants) is
// neither listed nor followed nor waited on.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "settings/profile_library.h"
#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

unsigned Mode(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ProfileNameTest, RefusesNamesThatLeaveTheFolderHideOrAreNotPlainText)
{
    for (const char* good : {"fast", "CS 2 – sniper", "游戏", "a.b", "x-1_2"}) {
        EXPECT_FALSE(ProfileNameProblem(good)) << good;
    }
    EXPECT_FALSE(ProfileNameProblem(std::string(kMaxProfileNameBytes, 'a')));
    const struct {
        std::string name;
        const char* words;
    } bad[] = {
        {"", "empty"},
        {std::string(kMaxProfileNameBytes + 1, 'a'), "at most"},
        {"../x", "/"},
        {"a/b", "/"},
        {"a\\b", "/"},
        {".hidden", "dot"},
        {"..", "dot"},
        {"a\tb", "control"},
        {"a\nb", "control"},
        {"a\x7f", "control"},
        {"a\xc2\x85", "control"},     // NEL, a C1 control
        {"a\xff", "UTF-8"},
        {"a\xc0\xaf", "UTF-8"},       // an overlong '/'
        {"a\xed\xa0\x80", "UTF-8"},   // a surrogate
        {"a\xe6\xb8", "UTF-8"},       // cut short
    };
    for (const auto& entry : bad) {
        const auto problem = ProfileNameProblem(entry.name);
        ASSERT_TRUE(problem) << entry.name;
        EXPECT_NE(problem->find(entry.words), std::string::npos) << entry.name << ": " << *problem;
    }
}

TEST(ProfileLibraryTest, SaveMakesPrivateFoldersAndReplacesWholeFiles)
{
    CTempFolder temp;
    const fs::path home = temp.Path() / "conf";
    const ProfileLibrary library(home.string());
    EXPECT_TRUE(library.Names().empty()) << "no folder yet is an empty library";
    EXPECT_FALSE(fs::exists(home)) << "listing makes nothing";

    std::string error;
    ASSERT_TRUE(library.Save("fast", "a = 1\n", error)) << error;
    EXPECT_EQ(Mode(home / "kx-507"), 0700u);
    EXPECT_EQ(Mode(home / "kx-507/profiles"), 0700u);
    EXPECT_EQ(ReadBytes(home / "kx-507/profiles/fast.toml"), "a = 1\n");
    ASSERT_TRUE(library.Save("fast", "a = 2\n", error)) << error;
    ASSERT_TRUE(library.Save("游戏", "b = 1\n", error)) << error;
    EXPECT_EQ(library.Read("fast", 100).text, "a = 2\n");
    EXPECT_EQ(library.Names(), (std::vector<std::string>{"fast", "游戏"}));
    for (const auto& entry : fs::directory_iterator(home / "kx-507/profiles")) {
        EXPECT_EQ(entry.path().extension(), ".toml") << "no temporary file is left: " << entry.path();
    }

    EXPECT_FALSE(library.Save("../escape", "x", error));
    EXPECT_FALSE(fs::exists(home / "kx-507/escape.toml"));

    ASSERT_TRUE(library.Remove("fast", error)) << error;
    EXPECT_FALSE(library.Read("fast", 100).text);
    EXPECT_FALSE(library.Remove("fast", error));
    EXPECT_NE(error.find("no such profile"), std::string::npos) << error;
}

TEST(ProfileLibraryTest, AFolderOthersMayWriteIsNotUsed)
{
    CTempFolder temp;
    const fs::path home = temp.Path() / "conf";
    fs::create_directories(home / "kx-507");
    fs::permissions(home / "kx-507", fs::perms::all, fs::perm_options::replace);
    std::string error;
    EXPECT_FALSE(ProfileLibrary(home.string()).Save("fast", "a = 1\n", error));
    EXPECT_NE(error.find("only this user"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(home / "kx-507/profiles/fast.toml"));
}

TEST(ProfileLibraryTest, HostileEntriesAreRefusedNotFollowedAndNotListed)
{
    CTempFolder temp;
    const ProfileLibrary library(temp.Path().string());
    std::string error;
    ASSERT_TRUE(library.Save("good", "a = 1\n", error)) << error;
    const fs::path folder = library.Folder();
    WriteBytes(temp.Path() / "secret", "not yours\n");
    fs::create_symlink(temp.Path() / "secret", folder / "link.toml");
    ASSERT_EQ(::mkfifo((folder / "pipe.toml").c_str(), 0600), 0);
    fs::create_directory(folder / "folder.toml");
    WriteBytes(folder / "huge.toml", std::string(5000, 'x'));
    WriteBytes(folder / ".hidden.toml", "a = 1\n");
    WriteBytes(folder / "notes.txt", "a = 1\n");
    WriteBytes(folder / "unreadable.toml", "a = 1\n");
    fs::permissions(folder / "unreadable.toml", fs::perms::none, fs::perm_options::replace);

    EXPECT_EQ(library.Names(), (std::vector<std::string>{"good", "huge", "unreadable"}));
    const struct {
        const char* name;
        const char* words;
    } cases[] = {
        {"link", "symbolic link"},
        {"pipe", "not a regular file"},
        {"folder", "not a regular file"},
        {"huge", "larger than 4096 bytes"},
        {"missing", "no such profile"},
        {".hidden", "dot"},
    };
    for (const auto& entry : cases) {
        const LibraryRead read = library.Read(entry.name, 4096);
        EXPECT_FALSE(read.text) << entry.name;
        EXPECT_NE(read.error.find(entry.words), std::string::npos) << entry.name << ": " << read.error;
    }
    // Saving over a link or a pipe leaves it and what it points at alone.
    EXPECT_FALSE(library.Save("pipe", "a = 2\n", error));
    EXPECT_FALSE(library.Save("link", "a = 2\n", error));
    EXPECT_EQ(ReadBytes(temp.Path() / "secret"), "not yours\n");
    EXPECT_FALSE(library.Remove("folder", error));
    EXPECT_TRUE(fs::is_directory(folder / "folder.toml"));

    const int unreadable = RunBoundByPermissions(temp, [&] {
        const LibraryRead read = library.Read("unreadable", 4096);
        return !read.text && read.error.find("cannot be read") != std::string::npos ? 0 : 1;
    });
    EXPECT_EQ(unreadable, 0);
}

}  // namespace
