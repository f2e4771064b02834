// SPDX-License-Identifier: GPL-3.0-or-later
// The run folder: a copy of the output folder that the script's set-up
// changes, so that a run never touches the build's or the user's files.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "tools/kx-run/run_folder.h"
#include "tools/kx-run/script.h"
#include "tools/kx-run/shown_file.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, std::string_view content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

class RunFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = MakePrivateFolder("kx-run-test");
        ASSERT_FALSE(m_root.empty());
        m_output = m_root / "out";
        m_run = m_root / "run";
        fs::create_directories(m_run);
        Write(m_output / "Skins/EN/main.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, 'p'));
        Write(m_output / "Skins/CHS/main.png", std::string(60, 'c'));
        Write(m_output / "icons/app.png", "icon");
        Write(m_output / "config.bin", std::string(180, '\0'));
        Write(m_output / "KX-507-demo", "program");
        Write(m_root / "script/mine.bin", "mine");
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::optional<std::string> Apply(std::string_view setup)
    {
        const auto parsed = ParseScript(std::string(setup) + "\nstart\n");
        const Script& script = std::get<Script>(parsed);
        return ApplyFileSetup(script.setup.at(0), m_run, m_root / "script");
    }

    fs::path m_root;
    fs::path m_output;
    fs::path m_run;
};

TEST_F(RunFolder, CopiesPicturesIconsAndConfigButNotThePrograms)
{
    ASSERT_EQ(CopyOutputFolder(m_output, m_run), std::nullopt);
    EXPECT_EQ(fs::file_size(m_run / "Skins/EN/main.png"), 108u);
    EXPECT_TRUE(fs::exists(m_run / "Skins/CHS/main.png"));
    EXPECT_TRUE(fs::exists(m_run / "icons/app.png"));
    EXPECT_EQ(fs::file_size(m_run / "config.bin"), 180u);
    EXPECT_FALSE(fs::exists(m_run / "KX-507-demo"));
    EXPECT_EQ(fs::status(m_root).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(RunFolder, SetUpReplacesOrRemovesTheSettingsFilesOfTheRunOnly)
{
    ASSERT_EQ(CopyOutputFolder(m_output, m_run), std::nullopt);
    EXPECT_EQ(Apply("config.bin mine.bin"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(m_run / "config.bin"), "mine");
    EXPECT_EQ(Apply("str.ini mine.bin"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(m_run / "str.ini"), "mine");
    EXPECT_EQ(Apply("config.bin missing"), std::nullopt);
    EXPECT_FALSE(fs::exists(m_run / "config.bin"));
    EXPECT_EQ(fs::file_size(m_output / "config.bin"), 180u);
    EXPECT_NE(Apply("config.bin absent.bin"), std::nullopt);
}

TEST_F(RunFolder, BrokenPicturesAreCutShortAndMissingOnesGone)
{
    ASSERT_EQ(CopyOutputFolder(m_output, m_run), std::nullopt);
    EXPECT_EQ(Apply("skin EN/main.png broken"), std::nullopt);
    EXPECT_EQ(fs::file_size(m_run / "Skins/EN/main.png"), 33u);
    EXPECT_EQ(fs::file_size(m_run / "Skins/CHS/main.png"), 60u);
    EXPECT_EQ(Apply("skins broken"), std::nullopt);
    EXPECT_EQ(fs::file_size(m_run / "Skins/CHS/main.png"), 33u);
    EXPECT_EQ(Apply("skin CHS/main.png missing"), std::nullopt);
    EXPECT_FALSE(fs::exists(m_run / "Skins/CHS/main.png"));
    EXPECT_NE(Apply("skin CHS/main.png missing"), std::nullopt);
    EXPECT_NE(Apply("skin EN/none.png broken"), std::nullopt);
    EXPECT_EQ(Apply("skins missing"), std::nullopt);
    EXPECT_FALSE(fs::exists(m_run / "Skins"));
    EXPECT_TRUE(fs::exists(m_output / "Skins/EN/main.png"));
}

// With --folder the run folder is one of the user's, which may hold links
// to files elsewhere: set-up lines change what is inside the folder only.
TEST_F(RunFolder, SetUpNeverFollowsALinkOutOfTheRunFolder)
{
    ASSERT_EQ(CopyOutputFolder(m_output, m_run), std::nullopt);
    const fs::path outside = m_root / "elsewhere";
    Write(outside / "art.png", std::string(100, 'a'));
    Write(outside / "EN/main.png", std::string(100, 'b'));
    fs::remove(m_run / "Skins/CHS/main.png");
    fs::create_symlink(outside / "art.png", m_run / "Skins/CHS/main.png");
    EXPECT_NE(Apply("skins broken"), std::nullopt);
    EXPECT_NE(Apply("skin CHS/main.png broken"), std::nullopt);
    EXPECT_EQ(fs::file_size(outside / "art.png"), 100u);

    fs::remove_all(m_run / "Skins/EN");
    fs::create_directory_symlink(outside / "EN", m_run / "Skins/EN");
    for (const char* line : {"skin EN/main.png broken", "skin EN/main.png missing", "skin EN/main.png pipe"}) {
        EXPECT_NE(Apply(line), std::nullopt) << line;
    }
    EXPECT_EQ(fs::file_size(outside / "EN/main.png"), 100u);

    fs::remove(m_run / "config.bin");
    fs::create_symlink(outside / "art.png", m_run / "config.bin");
    EXPECT_NE(Apply("config.bin mine.bin"), std::nullopt);
    EXPECT_EQ(fs::file_size(outside / "art.png"), 100u);
}

// The script and the mouse's memory are files the runner reads: a folder,
// a pipe no one writes to or an endless device is refused, not waited on.
TEST_F(RunFolder, OnlyRegularFilesOfABoundedSizeAreRead)
{
    EXPECT_EQ(ReadWholeFile(m_root / "script/mine.bin", 4), "mine");
    EXPECT_EQ(ReadWholeFile(m_root / "script/mine.bin", 3), std::nullopt);
    EXPECT_EQ(ReadWholeFile(m_root / "script"), std::nullopt);
    EXPECT_EQ(ReadWholeFile("/dev/zero"), std::nullopt);

    const fs::path pipe = m_root / "pipe.kxs";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [pipe] { return ReadWholeFile(pipe); });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading blocked on a named pipe";
        ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_EQ(read.get(), std::nullopt);
}

TEST_F(RunFolder, ConfigBinCanBecomeAFolderOrHaveBytesWrittenIntoIt)
{
    ASSERT_EQ(CopyOutputFolder(m_output, m_run), std::nullopt);
    EXPECT_EQ(Apply("config.bin byte 32 1 2"), std::nullopt);
    const auto patched = ReadWholeFile(m_run / "config.bin");
    ASSERT_TRUE(patched);
    EXPECT_EQ(patched->size(), 180u);
    EXPECT_EQ(patched->substr(31, 4), std::string("\0\x01\x02\0", 4));
    EXPECT_EQ(Apply("config.bin folder"), std::nullopt);
    EXPECT_TRUE(fs::is_directory(m_run / "config.bin"));
    EXPECT_NE(Apply("config.bin byte 0 1"), std::nullopt);
    EXPECT_EQ(Apply("config.bin missing"), std::nullopt);
    EXPECT_FALSE(fs::exists(m_run / "config.bin"));
}

// What "show" reads: a regular file's first bytes, and a clear answer for
// anything else in its place, without blocking or reading without end.
TEST_F(RunFolder, ShownFilesAreRegularFilesReadOnlyAsFarAsTheLimit)
{
    Write(m_run / "config.bin", std::string(10000, 'x'));
    ShownFile shown = ReadShownFile(m_run / "config.bin");
    EXPECT_EQ(shown.state, ShownFile::State::Read);
    EXPECT_EQ(shown.size, 10000u);
    EXPECT_EQ(shown.content.size(), kShownFileLimit);

    EXPECT_EQ(ReadShownFile(m_run / "none").state, ShownFile::State::Missing);
    fs::create_directory(m_run / "folder");
    shown = ReadShownFile(m_run / "folder");
    EXPECT_EQ(shown.state, ShownFile::State::NotRegular);
    EXPECT_EQ(shown.what, "a folder");
    fs::create_symlink("/dev/zero", m_run / "zero");
    shown = ReadShownFile(m_run / "zero");
    EXPECT_EQ(shown.state, ShownFile::State::NotRegular);
    EXPECT_EQ(shown.what, "a device");
    ASSERT_EQ(::mkfifo((m_run / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadShownFile(m_run / "pipe").what, "a pipe");
}

}  // namespace
