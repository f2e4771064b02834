// SPDX-License-Identifier: GPL-3.0-or-later
// kx-507-ctl-demo as a process, in a copy of the program's folder with a
// private run-time folder: hostile files change nothing and never hang, the
// tray program's presence is honoured, and apply leaves the mouse exactly as
// the window's Apply does.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/ctl/ctl_fixture.h"

namespace fs = std::filesystem;

namespace {

class CtlCommand : public CtlFolderTest {
protected:
    void SetUp() override
    {
        CtlFolderTest::SetUp();
        WriteFile(m_folder / "str.ini", "[Setting-EN]\nItem1=Left Click\n");
    }

    std::string Settings() const { return FileText(m_folder / "config.bin") + FileText(m_folder / "str.ini"); }
};

}  // namespace

TEST_F(CtlCommand, HostileProfileFilesAreRefusedWithoutHangingOrChangingAnything)
{
    const std::string before = Settings();
    ASSERT_EQ(::mkfifo((m_root / "pipe.toml").c_str(), 0600), 0);
    fs::create_directory(m_root / "folder.toml");
    WriteFile(m_root / "binary.toml", std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10));
    const struct {
        std::string file;
        std::string words;
    } cases[] = {
        {"pipe.toml", "not a regular file"},
        {"folder.toml", "not a regular file"},
        {"absent.toml", "no such file"},
        {"binary.toml", "binary"},
    };
    for (const auto& hostile : cases) {
        const std::string path = (m_root / hostile.file).string();
        for (const char* command : {"import", "diff"}) {
            const ProcessResult result = Ctl({command, path});
            EXPECT_EQ(result.status, 4) << command << " " << hostile.file << ": " << result.err;
            EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
            EXPECT_NE(result.err.find(hostile.words), std::string::npos) << result.err;
        }
    }
    EXPECT_EQ(Settings(), before);
}

TEST_F(CtlCommand, ExportEditImportAndDiffWorkOnTheProgramsFiles)
{
    const std::string profile = (m_root / "game.toml").string();
    ASSERT_EQ(Ctl({"export", profile}).status, 0);
    EXPECT_EQ(Ctl({"diff", profile}).status, 0);
    std::string text = FileText(profile);
    text.replace(text.find("report_rate = 125"), 17, "report_rate = 1000");
    const std::size_t button = text.find("[key_set_2.button_3]");
    text.replace(text.find("'Mid Click'", button), 11, "'Multimedia'");
    text.replace(text.find("multimedia = 'Next'", button), 19, "multimedia = 'Mute'");
    WriteFile(profile, text);

    const ProcessResult diff = Ctl({"diff", profile});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "key_set_2.button_3.function: 'Mid Click' -> 'Multimedia'\n"
                        "key_set_2.button_3.multimedia: 'Next' -> 'Mute'\n"
                        "report_rate: 125 -> 1000\n");
    ASSERT_EQ(Ctl({"import", profile}).status, 0);
    EXPECT_EQ(Ctl({"diff", profile}).status, 0);
    const ProcessResult show = Ctl({"show"});
    EXPECT_NE(show.out.find("report rate: 1000 Hz\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("key set 2:\n  button 1: Left Click\n  button 2: Right Click\n"
                            "  button 3: Multimedia: Mute\n"), std::string::npos) << show.out;
    const std::string labels = FileText(m_folder / "str.ini");
    EXPECT_NE(labels.find("Item33=Multimedia-Mute"), std::string::npos) << labels;
    EXPECT_NE(labels.find("Item1=Left Click"), std::string::npos) << labels;
}

TEST_F(CtlCommand, AFailedLabelWriteLeavesBothFilesAsTheyWere)
{
    const std::string profile = (m_root / "game.toml").string();
    ASSERT_EQ(Ctl({"export", profile}).status, 0);
    std::string text = FileText(profile);
    text.replace(text.find("report_rate = 125"), 17, "report_rate = 250");
    WriteFile(profile, text);
    const std::string config = FileText(m_folder / "config.bin");
    fs::remove(m_folder / "str.ini");
    fs::create_directory(m_folder / "str.ini");  // cannot be read or replaced
    const ProcessResult result = Ctl({"import", profile});
    EXPECT_EQ(result.status, 8) << result.err;
    EXPECT_NE(result.err.find("nothing was changed"), std::string::npos) << result.err;
    EXPECT_EQ(FileText(m_folder / "config.bin"), config);

    // Readable but not replaceable: a link to a file whose name leaves no room
    // for a new file's name beside it. config.bin, replaced first, must stay.
    const fs::path longName = m_root / std::string(250, 'l');
    WriteFile(longName.string(), "[Setting-EN]\nItem1=Left Click\n");
    fs::remove(m_folder / "str.ini");
    fs::create_symlink(longName, m_folder / "str.ini");
    const ProcessResult second = Ctl({"import", profile});
    EXPECT_EQ(second.status, 8) << second.err;
    EXPECT_NE(second.err.find("nothing was changed"), std::string::npos) << second.err;
    EXPECT_EQ(FileText(m_folder / "config.bin"), config);
    EXPECT_EQ(FileText(longName), "[Setting-EN]\nItem1=Left Click\n");
}

TEST_F(CtlCommand, ASettingsFileThatIsNotTheProgramsIsRefused)
{
    WriteFile(m_folder / "config.bin", std::string(179, '\0'));
    for (const char* command : {"show", "apply"}) {
        const ProcessResult result = Ctl({command});
        EXPECT_EQ(result.status, 3) << command;
        EXPECT_NE(result.err.find("not 180 bytes"), std::string::npos) << result.err;
    }
    EXPECT_EQ(FileText(m_folder / "config.bin"), std::string(179, '\0'));
    fs::remove(m_folder / "config.bin");
    EXPECT_EQ(Ctl({"export", "-"}).status, 3);
    EXPECT_EQ(Ctl({"show", "--dpi-table", "7"}).status, 2);
    EXPECT_EQ(Ctl({"frobnicate"}).status, 2);
    EXPECT_EQ(Ctl({"import"}).status, 2);
}
