// SPDX-License-Identifier: GPL-3.0-or-later
// The runner's report format: texts quoted so that what the program shows can
// be compared exactly, bytes as offset-led hex lines.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "tools/kx-run/report.h"

namespace {

TEST(RunnerReport, TextsAreQuotedWithEveryInvisibleCharacterSpelledOut)
{
    EXPECT_EQ(Quoted(u"Warning"), "\"Warning\"");
    EXPECT_EQ(Quoted(u"Error Code is: 5 \n"), "\"Error Code is: 5 \\n\"");
    EXPECT_EQ(Quoted(u"a\"b\\c\td\r"), "\"a\\\"b\\\\c\\td\\r\"");
    EXPECT_EQ(Quoted(std::u16string_view(u"x\0y\x1b", 4)), "\"x\\x00y\\x1b\"");
    EXPECT_EQ(Quoted(u"鼠标"), "\"鼠标\"");
    EXPECT_EQ(Quoted(u""), "\"\"");
}

TEST(RunnerReport, BytesSixteenToALineLedByTheirOffset)
{
    std::vector<std::uint8_t> bytes(179);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    }
    const auto lines = HexLines(bytes.data(), bytes.size());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "000: 00 07 0e 15 1c 23 2a 31 38 3f 46 4d 54 5b 62 69");
    EXPECT_EQ(lines[11], "0b0: d0 d7 de");
    EXPECT_TRUE(HexLines(bytes.data(), 0).empty());
}

TEST(RunnerReport, TextFilesShowBlanksCarriageReturnsAndAMissingLastLineEnd)
{
    const auto lines = TextFileLines("[Setting-EN]\r\nItem1=Left Click \n\nItem2=x");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\"[Setting-EN]\\r\"");
    EXPECT_EQ(lines[1], "\"Item1=Left Click \"");
    EXPECT_EQ(lines[2], "\"\"");
    EXPECT_EQ(lines[3], "\"Item2=x\" (no line end)");
    EXPECT_TRUE(TextFileLines("").empty());
}

TEST(RunnerReport, LinesAreWrittenAsTheyComeWithTheirIndent)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    CReport report(out);
    report.Line("> start");
    report.Lines({"000: 01", "010: 02"});
    std::rewind(out);
    char buffer[128] = {};
    const std::size_t got = std::fread(buffer, 1, sizeof buffer - 1, out);
    std::fclose(out);
    EXPECT_EQ(std::string(buffer, got), "> start\n  000: 01\n  010: 02\n");
}

}  // namespace
