// SPDX-License-Identifier: GPL-3.0-or-later
// The kept DPI table: written into a private folder, rewritten only on a
// change, and a file that is broken, huge or not a regular file is never
// trusted.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "settings/kept_dpi_table.h"
#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(KeptDpiTableTest, KeepsTheTableInAPrivateFolder)
{
    CTempFolder temp;
    const std::string state = (temp.Path() / "state").string();
    EXPECT_FALSE(ReadKeptDpiTable(state).table);
    EXPECT_TRUE(ReadKeptDpiTable(state).problem.empty()) << "none kept is no problem";
    ASSERT_TRUE(KeepDpiTable(state, 2));
    EXPECT_EQ(ReadKeptDpiTable(state).table, 2);
    EXPECT_EQ(ReadBytes(KeptDpiTablePath(state)), "2\n");
    struct stat st {};
    ASSERT_EQ(::stat((temp.Path() / "state/kx-507").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_TRUE(KeepDpiTable(state, 3));
    EXPECT_EQ(ReadKeptDpiTable(state).table, 3);
    EXPECT_FALSE(KeepDpiTable(state, 4)) << "there are four tables";
    EXPECT_EQ(ReadKeptDpiTable(state).table, 3);
    EXPECT_FALSE(KeepDpiTable("", 1));
    EXPECT_FALSE(ReadKeptDpiTable("relative").table);
}

TEST(KeptDpiTableTest, ABrokenHugeOrOddFileIsIgnoredWithAReason)
{
    CTempFolder temp;
    const std::string state = temp.Path().string();
    ASSERT_TRUE(KeepDpiTable(state, 1));
    const fs::path file = KeptDpiTablePath(state);
    EXPECT_EQ(ReadKeptDpiTable(state).table, 1);
    WriteBytes(file, "1\r\n");
    EXPECT_EQ(ReadKeptDpiTable(state).table, 1) << "a hand edit's line end is fine";
    for (const char* content : {"", "4\n", "12\n", "x\n", "-1\n", "1 \n"}) {
        WriteBytes(file, content);
        const KeptDpiTable kept = ReadKeptDpiTable(state);
        EXPECT_FALSE(kept.table) << content;
        EXPECT_NE(kept.problem.find("ignored"), std::string::npos) << content;
    }
    WriteBytes(file, "1\n" + std::string(1 << 20, '\n'));
    EXPECT_FALSE(ReadKeptDpiTable(state).table);
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_NE(ReadKeptDpiTable(state).problem.find("not a regular file"), std::string::npos);
    EXPECT_FALSE(KeepDpiTable(state, 1)) << "a pipe is not written through";
    fs::remove(file);
    WriteBytes(temp.Path() / "elsewhere", "3\n");
    fs::create_symlink(temp.Path() / "elsewhere", file);
    EXPECT_NE(ReadKeptDpiTable(state).problem.find("symbolic link; it is not followed; ignored"), std::string::npos);
    EXPECT_FALSE(KeepDpiTable(state, 1));
    EXPECT_EQ(ReadBytes(temp.Path() / "elsewhere"), "3\n");
}

}  // namespace
