// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "platform/hid.h"
#include "platform/services/ini_document.h"
#include "platform/services/profile.h"
#include "tests/platform/services/temp_folder.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::u16string Read(const char16_t* section, const char16_t* key, const char16_t* fallback = u"")
    {
        std::array<char16_t, 256> buffer{};
        const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), m_ini.c_str());
        return std::u16string(buffer.data(), length);
    }
    BOOL Write(const char16_t* section, const char16_t* key, const char16_t* value)
    {
        return WritePrivateProfileStringW(section, key, value, m_ini.c_str());
    }
    void Seed(const std::string& bytes) { WriteBytes(m_folder.File("str.ini"), bytes); }
    std::string Text() { return ReadBytes(m_folder.File("str.ini")); }

    CTempFolder m_folder;
    std::u16string m_ini = m_folder.WideFile("str.ini");
};

TEST_F(ProfileTest, ReadsIgnoringCaseAndBlanksAndQuotes)
{
    Seed("[Setting-EN]\n  ITEM1 =  Left Click  \nItem2=\"  quoted \"\nitem1=second\n[setting-en]\nItem3=later\n");
    EXPECT_EQ(Read(u"setting-en", u"item1"), u"Left Click");
    EXPECT_EQ(Read(u"SETTING-EN", u"Item2"), u"  quoted ");
    EXPECT_EQ(Read(u"Setting-EN", u"Item3", u"none"), u"none");  // only the first matching section counts
}

TEST_F(ProfileTest, DefaultWhenFileSectionOrKeyIsMissing)
{
    EXPECT_EQ(Read(u"Setting-EN", u"Item1", u"fallback  "), u"fallback");
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    Seed("[Setting-EN]\nItem1=x\n");
    EXPECT_EQ(Read(u"Setting-CHS", u"Item1", u"d"), u"d");
    EXPECT_EQ(Read(u"Setting-EN", u"Item9", nullptr), u"");
}

TEST_F(ProfileTest, ResultIsCutToBufferSizeMinusOne)
{
    const std::u16string longValue(1024, u'x');
    ASSERT_TRUE(Write(u"S", u"K", longValue.c_str()));
    std::array<char16_t, 1024> buffer{};
    buffer.fill(u'?');
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"K", u"", buffer.data(), 1024, m_ini.c_str()), 1023u);
    EXPECT_EQ(std::u16string(buffer.data()), longValue.substr(0, 1023));
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"missing", u"abcdef", buffer.data(), 4, m_ini.c_str()), 3u);
    EXPECT_EQ(std::u16string(buffer.data()), u"abc");
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"K", u"", buffer.data(), 1, m_ini.c_str()), 0u);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(ProfileTest, WriteCreatesFileAndSection)
{
    ASSERT_TRUE(Write(u"Setting-CHT", u"Item1", u"左鍵"));
    EXPECT_EQ(Text(), "[Setting-CHT]\nItem1=\xE5\xB7\xA6\xE9\x8D\xB5\n");
    EXPECT_EQ(Read(u"setting-cht", u"ITEM1"), u"左鍵");

    struct stat before {};
    ::stat(m_folder.File("str.ini").c_str(), &before);
    ASSERT_TRUE(Write(u"Setting-CHT", u"Item1", u"左鍵"));  // nothing new: the file is not rewritten
    struct stat after {};
    ::stat(m_folder.File("str.ini").c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileTest, WriteLeavesEveryOtherLineAsItWas)
{
    Seed("\xEF\xBB\xBF; labels\r\n[Setting-EN]\r\nItem1 = old\r\nItem2=keep\r\n\r\n[Other]\r\nx=1\r\nno equals here\r\n");
    ASSERT_TRUE(Write(u"setting-en", u"ITEM1", u"new"));
    ASSERT_TRUE(Write(u"Setting-EN", u"Item3", u"added"));
    ASSERT_TRUE(Write(u"Third", u"k", u"v"));
    EXPECT_EQ(Text(),
              "\xEF\xBB\xBF; labels\r\n[Setting-EN]\r\nItem1 =new\r\nItem2=keep\r\nItem3=added\r\n\r\n"
              "[Other]\r\nx=1\r\nno equals here\r\n[Third]\r\nk=v\r\n");
}

TEST_F(ProfileTest, FileWithoutFinalNewlineGetsOneBeforeNewLines)
{
    Seed("[A]\nk=v");
    ASSERT_TRUE(Write(u"B", u"k", u"w"));
    EXPECT_EQ(Text(), "[A]\nk=v\n[B]\nk=w\n");
}

TEST_F(ProfileTest, BrokenOrBinaryFileIsReadAndKeptWithoutHarm)
{
    const std::string junk = std::string("\x00\xFF\xFE[junk\n=no name\n[T]\n\xC3(bad=\xE2\x82\n", 31) +
                             std::string("\x00\x01\x02\n", 4) + "[S\nKey=value\n";
    Seed(junk);
    EXPECT_EQ(Read(u"S", u"Key"), u"value");  // "[S" without ']' still opens section S
    EXPECT_EQ(Read(u"T", u"x", u"d"), u"d");
    ASSERT_TRUE(Write(u"S", u"Key", u"changed"));
    EXPECT_EQ(Text(), junk.substr(0, junk.size() - 10) + "Key=changed\n");
}

// Whatever the bytes, a document that is only read writes back exactly the
// same bytes, and setting one key keeps every byte before that section.
TEST(IniDocumentTest, ArbitraryBytesSurviveUnchanged)
{
    constexpr char kAlphabet[] = "[]=\r\n \tSKk;\"'\xEF\xBB\xBF\xFF\xC3";
    std::mt19937 random(507);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);  // the final NUL included
    std::uniform_int_distribution<std::size_t> length(0, 60);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(length(random), '\0');
        for (char& c : bytes) {
            c = kAlphabet[pick(random)];
        }
        CIniDocument document(bytes);
        ASSERT_EQ(document.Content(), bytes);
        document.SetValue(u"zz", u"k", u"v");
        ASSERT_TRUE(document.Content().starts_with(bytes.substr(0, bytes.find_last_not_of('\n') + 1)));
        ASSERT_EQ(CIniDocument(document.Content()).Value(u"ZZ", u"K"), u"v");
    }
}

TEST_F(ProfileTest, NullValueRemovesKeyAndNullKeyRemovesSection)
{
    Seed("[A]\nk1=1\nk2=2\n[B]\nk=3\n");
    ASSERT_TRUE(Write(u"a", u"K1", nullptr));
    ASSERT_TRUE(Write(u"b", nullptr, nullptr));
    EXPECT_EQ(Text(), "[A]\nk2=2\n");
    ASSERT_TRUE(WritePrivateProfileStringW(u"A", u"k", nullptr, m_folder.WideFile("absent.ini").c_str()));
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("absent.ini")));
}

TEST_F(ProfileTest, ValuesCannotAddLinesAndBadNamesAreRefused)
{
    ASSERT_TRUE(Write(u"S", u"K", u"one\n[Other]\r\nx=y"));
    EXPECT_EQ(Text(), "[S]\nK=one [Other]  x=y\n");
    EXPECT_FALSE(Write(u"S]", u"K", u"v"));
    EXPECT_FALSE(Write(u"S", u"a=b", u"v"));
    EXPECT_FALSE(Write(u"S", u" [T]", u"v"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Text(), "[S]\nK=one [Other]  x=y\n");
}

TEST_F(ProfileTest, UnreadableFileIsNotOverwritten)
{
    Seed("[S]\nK=old\n");
    ::chmod(m_folder.File("str.ini").c_str(), 0200);
    EXPECT_EQ(RunBoundByPermissions(m_folder, [&] {
                  return Write(u"S", u"K", u"new") ? 1 : (GetLastError() == ERROR_ACCESS_DENIED ? 0 : 2);
              }),
              0);
    EXPECT_EQ(Text(), "[S]\nK=old\n");
}

TEST_F(ProfileTest, AFileBeyondTheSizeBoundIsNeitherReadNorRewritten)
{
    Seed("[S]\nK=old\n");
    std::filesystem::resize_file(m_folder.File("str.ini"), kMaxProfileFileBytes + 1);
    EXPECT_EQ(Read(u"S", u"K", u"none"), u"none");
    EXPECT_FALSE(Write(u"S", u"K", u"new"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(std::filesystem::file_size(m_folder.File("str.ini")), kMaxProfileFileBytes + 1);
}

TEST_F(ProfileTest, NullSectionOrKeyListsNames)
{
    Seed("[A]\nx=1\ny=2\n[B]\n");
    std::array<char16_t, 16> buffer{};
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, u"", buffer.data(), 16, m_ini.c_str()), 4u);
    EXPECT_EQ(std::u16string(buffer.data(), 5), std::u16string(u"A\0B\0\0", 5));
    EXPECT_EQ(GetPrivateProfileStringW(u"a", nullptr, u"", buffer.data(), 3, m_ini.c_str()), 1u);
    EXPECT_EQ(std::u16string(buffer.data(), 3), std::u16string(u"x\0\0", 3));
}

}  // namespace
