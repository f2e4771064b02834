// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include <gtest/gtest.h>

#include "platform/hid.h"
#include "platform/services/files.h"
#include "tests/platform/services/temp_folder.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const fs::path& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

class SaveWholeFileTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    fs::path m_file = m_folder.File("config.bin");
    std::u16string m_wide = m_folder.WideFile("config.bin");
};

TEST_F(SaveWholeFileTest, ReplacesContentAndKeepsPermissions)
{
    WriteBytes(m_file, std::string(181, 'o'));
    ::chmod(m_file.c_str(), 0640);
    ASSERT_TRUE(SaveWholeFileW(m_wide.c_str(), "new", FileCreation::ExistingOnly));
    EXPECT_EQ(ReadBytes(m_file), "new");
    EXPECT_EQ(ModeOf(m_file), 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 1);
}

TEST_F(SaveWholeFileTest, MissingFileIsCreatedOnlyWhenAsked)
{
    EXPECT_FALSE(SaveWholeFileW(m_wide.c_str(), "x", FileCreation::ExistingOnly));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fs::exists(m_file));
    EXPECT_TRUE(SaveWholeFileW(m_wide.c_str(), "x", FileCreation::CreateIfMissing));
    EXPECT_EQ(ReadBytes(m_file), "x");
}

TEST_F(SaveWholeFileTest, ReadOnlyFileKeepsContentEvenInWritableFolder)
{
    WriteBytes(m_file, "old");
    ::chmod(m_file.c_str(), 0444);
    EXPECT_EQ(RunBoundByPermissions(m_folder, [&] {
                  const BOOL saved = SaveWholeFileW(m_wide.c_str(), "new", FileCreation::ExistingOnly);
                  return saved ? 1 : (GetLastError() == ERROR_ACCESS_DENIED ? 0 : 2);
              }),
              0);
    EXPECT_EQ(ReadBytes(m_file), "old");
}

TEST_F(SaveWholeFileTest, WritableFileInClosedFolderIsRewrittenInPlace)
{
    WriteBytes(m_file, "a longer old content");
    ::chmod(m_folder.Path().c_str(), 0500);
    EXPECT_EQ(RunBoundByPermissions(m_folder, [&] {
                  return SaveWholeFileW(m_wide.c_str(), "short", FileCreation::ExistingOnly) ? 0 : 1;
              }),
              0);
    ::chmod(m_folder.Path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(m_file), "short");
}

// A save that fails half-way (here: the file-size limit stops the write)
// leaves the old file whole and no temporary file behind.
TEST_F(SaveWholeFileTest, FailureHalfWayLeavesOldContent)
{
    const std::string old(180, 'o');
    WriteBytes(m_file, old);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const BOOL saved = SaveWholeFileW(m_wide.c_str(), std::string(180, 'n'), FileCreation::ExistingOnly);
        ::_exit(saved ? 1 : (GetLastError() == 112 ? 0 : 2));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(m_file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 1);
}

TEST_F(SaveWholeFileTest, LinkedFileIsReplacedAndLinkKept)
{
    const fs::path real = m_folder.File("real.bin");
    WriteBytes(real, "old");
    fs::create_symlink(real, m_file);
    ASSERT_TRUE(SaveWholeFileW(m_wide.c_str(), "new", FileCreation::ExistingOnly));
    EXPECT_TRUE(fs::is_symlink(m_file));
    EXPECT_EQ(ReadBytes(real), "new");
}

TEST_F(SaveWholeFileTest, OnlyRegularFilesAreOpened)
{
    ::mkfifo(m_folder.File("pipe").c_str(), 0600);
    EXPECT_EQ(OpenFileW(m_folder.WideFile("pipe").c_str(), u"rb"), nullptr);
    EXPECT_EQ(OpenFileW(Utf8ToUtf16(m_folder.Path().string()).c_str(), u"rb"), nullptr);
    EXPECT_FALSE(ReadWholeFileW(m_folder.WideFile("pipe").c_str()).has_value());
    EXPECT_FALSE(SaveWholeFileW(m_folder.WideFile("pipe").c_str(), "x", FileCreation::ExistingOnly));
    EXPECT_TRUE(PathFileExistsW(m_folder.WideFile("pipe").c_str()));
    EXPECT_FALSE(PathFileExistsW(m_wide.c_str()));
}

TEST_F(SaveWholeFileTest, ReadingStopsAtTheSizeAsked)
{
    WriteBytes(m_file, "12345");
    EXPECT_EQ(ReadWholeFileW(m_wide.c_str(), 5), std::optional<std::string>("12345"));
    EXPECT_FALSE(ReadWholeFileW(m_wide.c_str(), 4).has_value());
    EXPECT_EQ(GetLastError(), ERROR_FILE_TOO_LARGE);
}

// Two files saved together: both new contents are written before either is
// renamed, so one that cannot be written leaves the other as it was.
TEST_F(SaveWholeFileTest, FilesSavedTogetherChangeTogetherOrNotAtAll)
{
    WriteBytes(m_file, "old config");
    ::chmod(m_file.c_str(), 0640);
    const std::u16string labels = m_folder.WideFile("str.ini");
    const std::u16string unwritable = m_folder.WideFile("missing-folder/str.ini");
    const WholeFile failing[] = {
        {m_wide.c_str(), "new config", FileCreation::ExistingOnly},
        {unwritable.c_str(), "labels", FileCreation::CreateIfMissing},
    };
    EXPECT_FALSE(SaveWholeFilesW(failing));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);  // its folder is missing
    EXPECT_EQ(ReadBytes(m_file), "old config");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 1);

    const WholeFile both[] = {
        {m_wide.c_str(), "new config", FileCreation::ExistingOnly},
        {labels.c_str(), "labels", FileCreation::CreateIfMissing},
    };
    ASSERT_TRUE(SaveWholeFilesW(both));
    EXPECT_EQ(ReadBytes(m_file), "new config");
    EXPECT_EQ(ModeOf(m_file), 0640u);
    EXPECT_EQ(ReadBytes(m_folder.File("str.ini")), "labels");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 2);

    fs::remove(m_file);
    const WholeFile missing[] = {
        {labels.c_str(), "other labels", FileCreation::CreateIfMissing},
        {m_wide.c_str(), "config", FileCreation::ExistingOnly},
    };
    EXPECT_FALSE(SaveWholeFilesW(missing));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadBytes(m_folder.File("str.ini")), "labels");
}

}  // namespace
