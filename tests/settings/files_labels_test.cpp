#include <string>

#include <gtest/gtest.h>

#include "settings/label_file.h"
#include "tests/platform/services/temp_folder.h"

namespace {

SlotLabels Numbered(const std::u16string& prefix)
{
    SlotLabels labels;
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            labels[keySet][slot] = prefix + static_cast<char16_t>(u'0' + keySet) + static_cast<char16_t>(u'0' + slot);
        }
    }
    return labels;
}

class LabelFileTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    std::u16string m_ini = m_folder.WideFile("str.ini");
};

TEST_F(LabelFileTest, EachLanguageKeepsItsOwnSection)
{
    WriteBytes(m_folder.File("str.ini"), "[Setting-EN]\nItem1=Left Click\nItem13=Right Click\n");
    SaveLabels(m_ini, u"Setting-CHT", Numbered(u"單鍵-"));
    const std::string text = ReadBytes(m_folder.File("str.ini"));
    EXPECT_TRUE(text.starts_with("[Setting-EN]\nItem1=Left Click\nItem13=Right Click\n[Setting-CHT]\nItem1="));

    SlotLabels loaded;
    LoadLabels(m_ini, u"Setting-CHT", loaded);
    EXPECT_EQ(loaded, Numbered(u"單鍵-"));
    LoadLabels(m_ini, u"Setting-EN", loaded);
    EXPECT_EQ(loaded[0][0], u"Left Click");
    EXPECT_EQ(loaded[1][0], u"Right Click");
    EXPECT_EQ(loaded[0][1], u"");
}

TEST_F(LabelFileTest, KeysFollowTheSlotTable)
{
    SaveLabels(m_ini, u"Setting-EN", Numbered(u"L"));
    const std::string text = ReadBytes(m_folder.File("str.ini"));
    EXPECT_NE(text.find("Item8=L07\n"), std::string::npos);
    EXPECT_NE(text.find("Item13=L10\n"), std::string::npos);
    EXPECT_NE(text.find("Item83=L17\n"), std::string::npos);
}

TEST_F(LabelFileTest, MissingFileGivesEmptyLabelsAndLongOnesAreCut)
{
    SlotLabels labels = Numbered(u"stale");
    LoadLabels(m_ini, u"Setting-EN", labels);
    EXPECT_EQ(labels, SlotLabels{});

    labels[1][7] = std::u16string(1500, u'k');
    SaveLabels(m_ini, u"Setting-EN", labels);
    SlotLabels loaded;
    LoadLabels(m_ini, u"Setting-EN", loaded);
    EXPECT_EQ(loaded[1][7], std::u16string(1023, u'k'));
}

}  // namespace
