// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
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

// Counts what happens to one file of a folder while it lives: the file's
// opens, and replaces of it by a rename. The kernel reports it (inotify),
// so nothing inside the program needs to count.
class CFileEvents {
public:
    CFileEvents(const std::filesystem::path& folder, std::string name) : m_name(std::move(name))
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        // Closes are watched too, though not counted: the kernel merges an
        // event into an identical one still unread, and an open followed by a
        // close is never identical to the open after it.
        ::inotify_add_watch(m_fd, folder.c_str(), IN_OPEN | IN_CLOSE | IN_MOVED_TO);
    }
    ~CFileEvents() { ::close(m_fd); }
    CFileEvents(const CFileEvents&) = delete;
    CFileEvents& operator=(const CFileEvents&) = delete;

    struct Counts {
        int opens = 0;
        int replaces = 0;
    };
    // What happened since the last call.
    Counts Take()
    {
        Counts counts;
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0 && m_name == event->name) {
                    counts.opens += (event->mask & IN_OPEN) != 0 ? 1 : 0;
                    counts.replaces += (event->mask & IN_MOVED_TO) != 0 ? 1 : 0;
                }
                at += sizeof(inotify_event) + event->len;
            }
        }
        return counts;
    }

private:
    int m_fd = -1;
    std::string m_name;
};

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

// A label file of 10 MB (other sections of other programs, say) is read once
// to load the labels and once to save them, and the labels of one save
// replace the file once.
TEST_F(LabelFileTest, ALargeFileIsReadOnceForAllLabelsAndReplacedOnce)
{
    std::string big = "[Other]\n";
    while (big.size() < 10'000'000) {
        big += "Key" + std::to_string(big.size()) + "=some value of another program\n";
    }
    WriteBytes(m_folder.File("str.ini"), big + "[Setting-EN]\nItem1=Left Click\n");
    CFileEvents events(m_folder.Path(), "str.ini");

    SlotLabels labels;
    LoadLabels(m_ini, u"Setting-EN", labels);
    EXPECT_EQ(labels[0][0], u"Left Click");
    const CFileEvents::Counts load = events.Take();
    EXPECT_EQ(load.opens, 1);

    SaveLabels(m_ini, u"Setting-EN", Numbered(u"N"));
    const CFileEvents::Counts save = events.Take();
    EXPECT_LE(save.opens, 2) << "one read, and at most one open of the file for writing";
    EXPECT_EQ(save.replaces, 1);
    LoadLabels(m_ini, u"Setting-EN", labels);
    EXPECT_EQ(labels, Numbered(u"N"));
    EXPECT_TRUE(ReadBytes(m_folder.File("str.ini")).starts_with(big));
}

// A save that cannot be completed (here the file may not grow to the new
// labels' size) leaves every label as it was, never half of them new.
TEST_F(LabelFileTest, ASaveThatFailsKeepsEveryOldLabel)
{
    SaveLabels(m_ini, u"Setting-EN", Numbered(u"old"));
    const std::string before = ReadBytes(m_folder.File("str.ini"));
    SlotLabels longer = Numbered(u"a much longer label than before ");

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = before.size() + 200;  // room for a few new labels, not for all
    ::setrlimit(RLIMIT_FSIZE, &limit);
    SaveLabels(m_ini, u"Setting-EN", longer);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadBytes(m_folder.File("str.ini")), before);
}

}  // namespace
