// SPDX-License-Identifier: GPL-3.0-or-later
// `kx-507-ctl-demo profile ...` as a process: the library round trip from
// the settings files to the mouse, and names and library files as hostile
// input that change nothing.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/ctl/ctl_fixture.h"

namespace fs = std::filesystem;

namespace {

class CtlLibrary : public CtlFolderTest {
protected:
    void SetUp() override
    {
        CtlFolderTest::SetUp();
        WriteFile(m_folder / "str.ini", "[Setting-EN]\nItem1=Left Click\n");
    }

    fs::path Library() const { return m_root / "config/kx-507/profiles"; }
    std::string Settings() const { return FileText(m_folder / "config.bin") + FileText(m_folder / "str.ini"); }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST_F(CtlLibrary, SaveListShowUseAndRemoveByName)
{
    ASSERT_EQ(Ctl({"profile", "list"}).out, "");
    const ProcessResult saved = Ctl({"profile", "save", "desk"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(FileText(Library() / "desk.toml"), Ctl({"export", "-"}).out);

    // A second profile that differs in its report rate.
    const std::string desk = FileText(Library() / "desk.toml");
    const std::string game = Replaced(desk, "report_rate = 125", "report_rate = 1000");
    ASSERT_NE(game, desk) << desk;
    WriteFile(Library() / "game.toml", game);
    EXPECT_EQ(Ctl({"profile", "list"}).out, "desk\ngame\n");
    const ProcessResult shown = Ctl({"profile", "show", "game"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("report rate: 1000 Hz"), std::string::npos) << shown.out;

    const ProcessResult used = Ctl({"profile", "use", "game"});
    ASSERT_EQ(used.status, 0) << used.err;
    EXPECT_NE(Ctl({"show"}).out.find("report rate: 1000 Hz"), std::string::npos);
    EXPECT_TRUE(fs::exists(m_run / "kx507-demo-mouse.bin")) << "use applies to the mouse";

    EXPECT_EQ(Ctl({"profile", "remove", "game"}).status, 0);
    EXPECT_EQ(Ctl({"profile", "list"}).out, "desk\n");
    EXPECT_EQ(Ctl({"profile", "remove", "game"}).status, 4);
}

TEST_F(CtlLibrary, HostileNamesAndLibraryFilesChangeNothing)
{
    ASSERT_EQ(Ctl({"profile", "save", "desk"}).status, 0);
    const std::string before = Settings();
    for (const char* name : {"../../program/config", "a/b", ".desk", "", "a\nb", "a\xff"}) {
        for (const char* command : {"save", "use", "remove", "show"}) {
            const ProcessResult refused = Ctl({"profile", command, name});
            EXPECT_EQ(refused.status, 2) << command << " " << name << ": " << refused.err;
        }
    }
    EXPECT_EQ(Ctl({"profile", "save", std::string(65, 'a')}).status, 2);

    WriteFile(m_root / "elsewhere.toml", FileText(Library() / "desk.toml"));
    fs::create_symlink(m_root / "elsewhere.toml", Library() / "link.toml");
    ASSERT_EQ(::mkfifo((Library() / "pipe.toml").c_str(), 0600), 0);
    WriteFile(Library() / "huge.toml", std::string(300 * 1024, '#'));
    WriteFile(Library() / "broken.toml", "version = 1\nreport_rate = 7\n");
    const struct {
        const char* name;
        const char* words;
    } cases[] = {
        {"link", "symbolic link"},
        {"pipe", "not a regular file"},
        {"huge", "larger than"},
        {"broken", "broken.toml:"},
        {"missing", "no such profile"},
    };
    for (const auto& entry : cases) {
        for (const char* command : {"use", "show"}) {
            const ProcessResult refused = Ctl({"profile", command, entry.name});
            EXPECT_EQ(refused.status, 4) << command << " " << entry.name << ": " << refused.err;
            EXPECT_NE(refused.err.find(entry.words), std::string::npos) << refused.err;
        }
    }
    EXPECT_EQ(Ctl({"profile", "list"}).out, "broken\ndesk\nhuge\n");
    EXPECT_EQ(Settings(), before);
    EXPECT_FALSE(fs::exists(m_run / "kx507-demo-mouse.bin"));
}

TEST_F(CtlLibrary, RulesCheckNamesBrokenRulesAndMissingOrBrokenProfiles)
{
    const fs::path rules = m_root / "config/kx-507/rules.toml";
    const ProcessResult none = Ctl({"rules", "check"});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_NE(none.out.find("no rules"), std::string::npos) << none.out;

    ASSERT_EQ(Ctl({"profile", "save", "desk"}).status, 0);
    WriteFile(rules, "default = \"desk\"\n[[rule]]\ncommand_line = \"game.exe\"\nprofile = \"desk\"\n");
    const ProcessResult good = Ctl({"rules", "check"});
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.out.find("1 rules, default profile: desk"), std::string::npos) << good.out;

    WriteFile(Library() / "broken.toml", "version = 1\n");
    WriteFile(rules, "default = \"desk\"\n[[rule]]\nexecutable = \"a\"\nprofile = \"missing\"\n"
                     "[[rule]]\nexecutable = \"b\"\nprofile = \"broken\"\n");
    const ProcessResult missing = Ctl({"rules", "check"});
    EXPECT_EQ(missing.status, 4);
    EXPECT_NE(missing.err.find("missing.toml: no such profile"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("broken.toml:"), std::string::npos) << missing.err;

    WriteFile(rules, "[[rule]]\nexecutable = \"a\"\n");
    const ProcessResult bad = Ctl({"rules", "check"});
    EXPECT_EQ(bad.status, 4);
    EXPECT_NE(bad.err.find("rules.toml:1: a rule needs a profile"), std::string::npos) << bad.err;
}
