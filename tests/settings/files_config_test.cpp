// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/module.h"
#include "platform/msg_box.h"
#include "platform/winuser.h"
#include "settings/settings_file.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/support/platform_state.h"

namespace {

struct ShownBox {
    std::u16string text;
    std::u16string caption;
};

class CRecordingPresenter final : public IMessageBoxPresenter {
public:
    int Show(HWND /*owner*/, std::u16string_view text, std::u16string_view caption, UINT /*type*/) override
    {
        boxes.push_back({std::u16string(text), std::u16string(caption)});
        return static_cast<int>(IDOK);
    }
    std::vector<ShownBox> boxes;
};

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
        SetMessageBoxPresenter(&m_presenter);
    }
    void TearDown() override { ResetPlatformState(); }

    void Load() { LoadSettingsFile(nullptr, m_config, m_flag, m_record); }

    CRecordingPresenter m_presenter;
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
    Load();
    EXPECT_EQ(m_flag, 0);  // a shipped first-run file: record taken, flag still 0
    EXPECT_TRUE(SameRecord(m_record, Filled(7)));
    bytes[0] = '\x01';
    WriteBytes(m_file, bytes);
    Load();
    EXPECT_EQ(m_flag, 1);
    EXPECT_TRUE(m_presenter.boxes.empty());
}

TEST_F(ConfigFileTest, OtherLengthsLoadNothingAtAll)
{
    for (const std::size_t length : {179u, 181u, 0u}) {
        WriteBytes(m_file, std::string(length, '\x01'));
        Load();
        EXPECT_EQ(m_flag, 0) << length;
        EXPECT_TRUE(SameRecord(m_record, Filled(0))) << length;
    }
    EXPECT_TRUE(m_presenter.boxes.empty());
}

TEST_F(ConfigFileTest, MissingFileIsReportedAndNeverCreated)
{
    Load();
    ASSERT_EQ(m_presenter.boxes.size(), 1u);
    EXPECT_EQ(m_presenter.boxes[0].text, u"Config file is not exist.");
    EXPECT_EQ(m_presenter.boxes[0].caption, ApplicationName());
    EXPECT_FALSE(SaveSettingsFile(nullptr, m_config, Filled(3)));
    ASSERT_EQ(m_presenter.boxes.size(), 2u);
    EXPECT_EQ(m_presenter.boxes[1].text, u"Config file is not exist.");
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_TRUE(SameRecord(m_record, Filled(0)));
}

TEST_F(ConfigFileTest, SaveWritesFlagOneAndTheRecordWhateverWasThere)
{
    WriteBytes(m_file, std::string(181, '\x55'));
    m_flag = 0;
    ASSERT_TRUE(SaveSettingsFile(nullptr, m_config, Filled(9)));
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
    // The box is recorded in the child; its exit code says what it showed.
    const int outcome = RunBoundByPermissions(m_folder, [&] {
        if (SaveSettingsFile(nullptr, m_config, Filled(9)) || m_presenter.boxes.size() != 1) {
            return 1;
        }
        const ShownBox& box = m_presenter.boxes[0];
        return box.text == u"Error Code is: 5 \n" && box.caption == u"NULL ==fp " ? 0 : 2;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadBytes(m_file), old);
}

}  // namespace
