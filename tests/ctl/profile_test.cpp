// SPDX-License-Identifier: GPL-3.0-or-later
// Profiles: export then import gives the record back byte for byte, and
// every kind of bad profile is refused with its line and what is allowed,
// leaving the record as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "ctl/profile.h"
#include "settings/image_encoding.h"
#include "settings/profile_fields.h"
#include "settings/settings_state.h"
#include "tests/ctl/random_record.h"

namespace {

bool SameBytes(const SettingsRecord& a, const SettingsRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

SettingsRecord KnownRecord()
{
    SettingsRecord record{};
    SetKeyRecoverDefaults(record);
    record.fireMakeTime = 5;
    record.fireBreakTime = 5;
    record.snipeDpiCode = 0x02;
    record.modeOneParameter = 10;
    return record;
}

std::string KnownProfile()
{
    const ProfileText written = WriteProfile(KnownRecord(), 0);
    EXPECT_FALSE(written.error);
    return written.text;
}

// The 1-based line of the first line starting with `start`.
std::size_t LineStarting(const std::string& text, std::string_view start)
{
    std::size_t line = 1;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1, ++line) {
        if (text.compare(at, start.size(), start) == 0) {
            return line;
        }
        if (text.find('\n', at) == std::string::npos) {
            break;
        }
    }
    ADD_FAILURE() << "no line starts with " << start;
    return 0;
}

// The known profile with the first line starting with `start` replaced.
std::string Replaced(std::string_view start, std::string_view line)
{
    std::string text = KnownProfile();
    const std::size_t at = text.find(std::string("\n") + std::string(start)) + 1;
    text.replace(at, text.find('\n', at) - at, line);
    return text;
}

// Reads `text` over a known record and expects a refusal on `line` whose
// message holds `words`; the record must not change.
void ExpectRefused(const std::string& text, std::optional<std::size_t> line, std::string_view words)
{
    SettingsRecord record = KnownRecord();
    std::uint8_t dpiTable = 3;
    const auto error = ReadProfile(text, record, dpiTable);
    ASSERT_TRUE(error) << "accepted";
    if (line) {
        EXPECT_EQ(error->line, *line) << error->message;
    }
    EXPECT_NE(error->message.find(words), std::string::npos) << error->message;
    EXPECT_TRUE(SameBytes(record, KnownRecord()));
    EXPECT_EQ(dpiTable, 3);
}

}  // namespace

TEST(Profile, ExportThenImportGivesBackEveryRandomRecordByteForByte)
{
    std::mt19937 random(507);
    for (int round = 0; round < 2000; ++round) {
        const auto dpiTable = static_cast<std::uint8_t>(round % 4);
        const SettingsRecord exported = RandomRecord(random, dpiTable);
        const ProfileText written = WriteProfile(exported, dpiTable);
        ASSERT_FALSE(written.error) << written.error->message;

        SettingsRecord sameFile = exported;
        std::uint8_t readTable = 9;
        ASSERT_FALSE(ReadProfile(written.text, sameFile, readTable)) << written.text;
        EXPECT_TRUE(SameBytes(sameFile, exported)) << "round " << round;
        EXPECT_EQ(readTable, dpiTable);

        // Into another machine's config.bin: the settings are the profile's,
        // the carried bytes that machine's own.
        SettingsRecord other = RandomRecord(random, dpiTable);
        SettingsRecord expected = exported;
        CopyCarriedBytes(other, expected);
        ASSERT_FALSE(ReadProfile(written.text, other, readTable));
        EXPECT_TRUE(SameBytes(other, expected)) << "round " << round;
    }
}

TEST(Profile, RecordsTheWindowNeverProducesAreNotExported)
{
    SettingsRecord zero{};
    const ProfileText written = WriteProfile(zero, 0);
    ASSERT_TRUE(written.error);
    EXPECT_NE(written.error->message.find("reportInterval holds 0"), std::string::npos);

    SettingsRecord fireWithoutKey = KnownRecord();
    fireWithoutKey.buttonFunction[2] = kFunctionFireKey;
    EXPECT_TRUE(WriteProfile(fireWithoutKey, 0).error);
    SettingsRecord badStage = KnownRecord();
    badStage.dpiStageIndex[0] = 8;  // tables 1 to 3 offer 8 positions
    EXPECT_FALSE(WriteProfile(badStage, 0).error);
    EXPECT_TRUE(WriteProfile(badStage, 1).error);
    EXPECT_TRUE(WriteProfile(KnownRecord(), 4).error);
}

TEST(Profile, UnknownKeysAreRefusedWithTheKeysAllowed)
{
    std::string text = KnownProfile();
    text.insert(text.find("\n[lighting]"), "\ncolour = 3");
    ExpectRefused(text, LineStarting(text, "colour"), "unknown key colour; allowed keys here: version, dpi_table");
    text = Replaced("hot_key = ", "hot_keys = 'Copy'");
    ExpectRefused(text, LineStarting(text, "hot_keys"), "unknown key key_set_1.button_1.hot_keys");
    text = KnownProfile() + "[key_set_2.button_7]\nfunction = 'Left Click'\n";
    ExpectRefused(text, LineStarting(text, "[key_set_2.button_7]"), "button_1, button_2, button_3");
}

TEST(Profile, ValuesOutsideTheirRangeOrVocabularyAreRefusedWithWhatIsAllowed)
{
    std::string text = Replaced("report_rate", "report_rate = 300");
    ExpectRefused(text, LineStarting(text, "report_rate"), "report_rate: 300 is not one of 1000, 500, 250, 125");
    text = Replaced("fire_repeat", "fire_repeat = 128");
    ExpectRefused(text, LineStarting(text, "fire_repeat"), "fire_repeat: 128 is outside 0 to 127");
    text = Replaced("press_time", "press_time = 4");
    ExpectRefused(text, LineStarting(text, "press_time"), "fire.press_time: 4 is outside 5 to 255");
    text = Replaced("function", "function = 'Double Click'");
    ExpectRefused(text, LineStarting(text, "function"), "\"Double Click\" is not one of Left Click, Right Click");
    text = Replaced("single_key", "single_key = 'ctrl'");
    ExpectRefused(text, LineStarting(text, "single_key"), "is not one of none, A, B");
    text = Replaced("stages", "stages = [500, 1000, 1750, 4001]");
    ExpectRefused(text, LineStarting(text, "stages"), "dpi.stages[4]: 4001 is not one of 250, 500, 750");
    text = Replaced("dpi_table", "dpi_table = 4");
    ExpectRefused(text, LineStarting(text, "dpi_table"), "dpi_table: 4 is outside 0 to 3");
    // 4000 is a DPI of table 0 only.
    text = Replaced("dpi_table", "dpi_table = 1");
    ExpectRefused(text, LineStarting(text, "stages"), "dpi.stages[1]: 500 is not one of 600, 800");
    text = Replaced("fire_key", "fire_key = 'none'");
    text.replace(text.find("function = 'Left Click'"), 23, "function = 'Fire Key'");
    ExpectRefused(text, LineStarting(text, "fire_key"), "a Fire Key needs a key, one of L-Button");
}

// Every single-valued field, walked from the table: each value it allows is
// read into its own record byte and written back, the values around the
// allowed ones are refused with the field's name and what it allows, and a
// record byte no value stands for is not exported.
TEST(Profile, EveryFieldTakesExactlyItsRangeAndNothingAround)
{
    for (const ProfileField& field : kProfileFields) {
        const std::string name = (field.section.empty() ? "" : std::string(field.section) + ".") + std::string(field.key);
        const std::string start = std::string(field.key) + " = ";
        const ProfileFieldRange& range = field.range;
        std::vector<std::pair<std::int64_t, std::uint8_t>> accepted;
        std::vector<std::int64_t> refused;
        std::string allowed;
        if (range.listed > 0) {
            const auto values = ListedValues(range);
            for (std::size_t i = 0; i < values.size(); ++i) {
                accepted.emplace_back(values[i], range.codes[i]);
                allowed += (i ? ", " : "") + std::to_string(values[i]);
                for (const std::int64_t near : {values[i] - 1, values[i] + 1, std::int64_t{range.codes[i]}}) {
                    if (std::find(values.begin(), values.end(), near) == values.end()) {
                        refused.push_back(near);
                    }
                }
            }
        } else {
            accepted = {{range.low, static_cast<std::uint8_t>(range.low - range.offset)},
                        {range.high, static_cast<std::uint8_t>(range.high - range.offset)}};
            refused = {range.low - 1, range.high + 1};
        }
        for (const auto& [value, byte] : accepted) {
            const std::string text = Replaced(start, start + std::to_string(value));
            SettingsRecord record = KnownRecord();
            std::uint8_t dpiTable = 0;
            ASSERT_FALSE(ReadProfile(text, record, dpiTable)) << name << " = " << value;
            EXPECT_EQ(record.*field.member, byte) << name << " = " << value;
            SettingsRecord expected = KnownRecord();
            expected.*field.member = byte;
            EXPECT_TRUE(SameBytes(record, expected)) << name << " = " << value;
            EXPECT_NE(WriteProfile(record, 0).text.find("\n" + start + std::to_string(value) + "\n"),
                      std::string::npos)
                << name << " = " << value;
        }
        for (const std::int64_t value : refused) {
            const std::string text = Replaced(start, start + std::to_string(value));
            const std::string why = range.listed > 0 ? " is not one of " + allowed
                                                     : " is outside " + std::to_string(range.low) + " to " +
                                                           std::to_string(range.high);
            ExpectRefused(text, LineStarting(text, start), name + ": " + std::to_string(value) + why);
        }
        // A byte beyond the span, or the first that is no listed value's code.
        std::int64_t unexpressed = range.high - range.offset + 1;
        if (range.listed > 0) {
            unexpressed = 0;
            while (std::find(range.codes.begin(), range.codes.begin() + range.listed, unexpressed) !=
                   range.codes.begin() + range.listed) {
                ++unexpressed;
            }
        } else if (unexpressed > 255) {
            unexpressed = range.low - range.offset - 1;
        }
        SettingsRecord unwritable = KnownRecord();
        unwritable.*field.member = static_cast<std::uint8_t>(unexpressed);
        const ProfileText written = WriteProfile(unwritable, 0);
        ASSERT_TRUE(written.error) << name;
        EXPECT_NE(written.error->message.find(std::string(field.recordName) + " holds " + std::to_string(unexpressed)),
                  std::string::npos)
            << written.error->message;
    }
}

// The comments a user edits by are what pins the ranges: each field's
// comment (or the one above it that speaks for it) names what it allows, so a
// range widened or narrowed in the table alone shows here.
TEST(Profile, EveryFieldsCommentNamesItsRange)
{
    std::string_view comment;
    for (const ProfileField& field : kProfileFields) {
        comment = field.comment.empty() ? comment : field.comment;
        const ProfileFieldRange& range = field.range;
        std::string named;
        if (range.listed > 0 || range.high - range.low > 2) {
            named = range.listed > 0 ? "" : std::to_string(range.low) + " to " + std::to_string(range.high);
        } else {
            for (std::int64_t value = range.low; value <= range.high; ++value) {
                named += (value == range.low ? "" : value == range.high ? " or " : ", ") + std::to_string(value);
            }
        }
        for (std::size_t i = 0; i < range.listed; ++i) {
            EXPECT_NE(comment.find(std::to_string(range.values[i])), std::string_view::npos) << field.key;
        }
        EXPECT_NE(comment.find(named), std::string_view::npos) << field.key << ": " << named;
    }
}

TEST(Profile, WrongTypesAreRefused)
{
    std::string text = Replaced("report_rate", "report_rate = '125'");
    ExpectRefused(text, LineStarting(text, "report_rate"), "expected an integer, found a string");
    text = Replaced("enabled", "enabled = [1, 1, 1, 1]");
    ExpectRefused(text, LineStarting(text, "enabled"), "dpi.enabled[1]: expected true or false, found an integer");
    text = Replaced("enabled", "enabled = [true, true]");
    ExpectRefused(text, LineStarting(text, "enabled"), "expected an array of 4 values");
    text = Replaced("function", "function = 3");
    ExpectRefused(text, LineStarting(text, "function"), "expected a string, found an integer");
    text = Replaced("mode = ", "mode = 1.5");
    ExpectRefused(text, LineStarting(text, "mode = "), "found a number with a fraction");
    text = Replaced("snipe = 500", "snipe = 'fast'");
    ExpectRefused(text, LineStarting(text, "snipe = "), "\"fast\" is not one of none, 250");
}

TEST(Profile, NewerVersionsMissingKeysAndBrokenFilesAreRefused)
{
    std::string text = Replaced("version", "version = 2");
    ExpectRefused(text, LineStarting(text, "version"), "version 2 is newer than this program reads (1)");
    text = Replaced("version", "version = 0");
    ExpectRefused(text, LineStarting(text, "version"), "not a profile version");
    text = Replaced("release_time", "");
    ExpectRefused(text, LineStarting(text, "[fire]"), "missing key fire.release_time");

    const std::string whole = KnownProfile();
    const std::string cut = whole.substr(0, whole.find("function = 'Left Click'") + 14);  // inside a string
    ExpectRefused(cut, LineStarting(cut, "function = 'Le"), "not a valid TOML profile");
    ExpectRefused(whole.substr(0, whole.size() / 2), std::nullopt, "");
    ExpectRefused(std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10), 0, "binary");
    ExpectRefused("version = 1\nreport_rate = \"\xff\xfe\"\n", 2, "outside ASCII");
    // Characters the packaged parser cannot classify safely never reach it.
    ExpectRefused("version = 1\n\xc9\xa5\n", 2, "outside ASCII");
    ExpectRefused(KnownProfile() + "# \xe5\xb0\x84\xe5\x87\xbb\n", std::nullopt, "outside ASCII");
    ExpectRefused(std::string(kMaxProfileBytes + 1, '#'), 0, "not a profile");
    ExpectRefused("", std::nullopt, "missing key version");
    // Table headers cut short: the parser must report them, not trip over them.
    for (const char* header : {"[\n", "[ = 1\n", "[[ \n", "version = 1\n[key_set_1.\n"}) {
        ExpectRefused(header, std::nullopt, "not a valid TOML profile");
    }
}

TEST(Profile, ErrorsNameTheFileAndTheLine)
{
    EXPECT_EQ(FormatProfileError("game.toml", ProfileError{12, "report_rate: 3 is not one of 1000"}),
              "game.toml:12: report_rate: 3 is not one of 1000");
    EXPECT_EQ(FormatProfileError("game.toml", ProfileError{0, "holds NUL bytes"}), "game.toml: holds NUL bytes");
}
