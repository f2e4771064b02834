// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/support/platform_state.h"

namespace {

SettingsRecord Filled(std::uint8_t value)
{
    SettingsRecord record;
    std::memset(&record, value, sizeof record);
    return record;
}

bool SameRecord(const SettingsRecord& a, const SettingsRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformState();
    }
    void TearDown() override { ResetPlatformState(); }

    Outcome Load() { return LoadSettingsFile(m_config, m_flag, m_record); }

    CTempFolder m_folder;
    std::filesystem::path m_file = m_folder.File("config.bin");
    std::u16string m_config = m_folder.WideFile("config.bin");
    std::uint8_t m_flag = 0;
    SettingsRecord m_record = Filled(0);
};

TEST_F(ConfigFileTest, ExactlyOneHundredEightyBytesLoad)
{
    std::string bytes(1, '\0');
    bytes += std::string(179, '\x07');
    WriteBytes(m_file, bytes);
    EXPECT_TRUE(Load().Done());
    EXPECT_EQ(m_flag, 0);  // a shipped first-run file: record taken, flag still 0
    EXPECT_TRUE(SameRecord(m_record, Filled(7)));
    bytes[0] = '\x01';
    WriteBytes(m_file, bytes);
    Load();
    EXPECT_EQ(m_flag, 1);
}

TEST_F(ConfigFileTest, OtherLengthsLoadNothingAtAll)
{
    for (const std::size_t length : {179u, 181u, 0u}) {
        WriteBytes(m_file, std::string(length, '\x01'));
        EXPECT_TRUE(Load().Done()) << length;
        EXPECT_EQ(m_flag, 0) << length;
        EXPECT_TRUE(SameRecord(m_record, Filled(0))) << length;
    }
}

TEST_F(ConfigFileTest, MissingFileIsReportedAndNeverCreated)
{
    const Outcome loaded = Load();
    EXPECT_EQ(loaded.failure, Failure::SettingsMissing);
    const OutcomeMessage message = MessageOf(loaded, u"");
    EXPECT_EQ(message.text, u"Config file is not exist.");
    EXPECT_EQ(message.caption, u"") << "the application's name";
    EXPECT_EQ(SaveSettingsFile(m_config, Filled(3)).failure, Failure::SettingsMissing);
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_TRUE(SameRecord(m_record, Filled(0)));
}

TEST_F(ConfigFileTest, SaveWritesFlagOneAndTheRecordWhateverWasThere)
{
    WriteBytes(m_file, std::string(181, '\x55'));
    m_flag = 0;
    ASSERT_TRUE(SaveSettingsFile(m_config, Filled(9)).Done());
    EXPECT_EQ(ReadBytes(m_file), std::string(1, '\x01') + std::string(179, '\x09'));
    EXPECT_EQ(m_flag, 0);  // saving leaves the in-memory flag alone
    Load();
    EXPECT_EQ(m_flag, 1);
    EXPECT_TRUE(SameRecord(m_record, Filled(9)));
}

TEST_F(ConfigFileTest, UnwritableFileKeepsOldContentAndReportsTheCode)
{
    const std::string old = std::string(1, '\x01') + std::string(179, '\x02');
    WriteBytes(m_file, old);
    ::chmod(m_file.c_str(), 0444);
    // The save runs in the child; its exit code says what it reported.
    const int outcome = RunBoundByPermissions(m_folder, [&] {
        const Outcome saved = SaveSettingsFile(m_config, Filled(9));
        if (saved.failure != Failure::SettingsWrite) {
            return 1;
        }
        const OutcomeMessage message = MessageOf(saved, u"");
        return message.text == u"Error Code is: 5 \n" && message.caption == u"NULL ==fp " ? 0 : 2;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadBytes(m_file), old);
}

}  // namespace
