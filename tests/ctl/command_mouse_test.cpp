// SPDX-License-Identifier: GPL-3.0-or-later
// kx-507-ctl-demo beside the tray program and against the simulated mouse:
// refusal while the program runs and success once it has ended; apply
// leaves the mouse's memory byte for byte as the window's Apply does.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <random>
#include <sstream>
#include <thread>

#include "settings/device_image.h"
#include "tests/ctl/ctl_fixture.h"
#include "tests/ctl/process.h"
#include "tests/ctl/random_record.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMouseStateFile[] = "kx507-demo-mouse.bin";

std::string ConfigBin(std::uint8_t flag, const SettingsRecord& record)
{
    std::string bytes(1, static_cast<char>(flag));
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes;
}

// The hex dump under "mouse memory (322 bytes)" in a runner report.
std::string MouseMemoryOfReport(const std::string& report)
{
    std::istringstream lines(report.substr(report.rfind("mouse memory (322 bytes)")));
    std::string line;
    std::getline(lines, line);
    std::string memory;
    while (memory.size() < kDeviceImageSize && std::getline(lines, line)) {
        std::istringstream bytes(line.substr(line.find(':') + 1));
        unsigned value = 0;
        while (bytes >> std::hex >> value) {
            memory.push_back(static_cast<char>(value));
        }
    }
    return memory;
}

using CtlWithMouse = CtlFolderTest;

}  // namespace

TEST_F(CtlWithMouse, ImportAndApplyRefuseWhileTheTrayProgramRunsAndWorkOnceItHasEnded)
{
    const std::string profile = (m_root / "game.toml").string();
    ASSERT_EQ(Ctl({"export", profile}).status, 0);
    ASSERT_EQ(Ctl({"profile", "save", "game"}).status, 0);
    fs::copy_file(m_output / "KX-507-demo", m_folder / "KX-507-demo");
    fs::create_directory_symlink(m_output / "Skins", m_folder / "Skins");
    fs::create_directory_symlink(m_output / "icons", m_folder / "icons");
    const ProcessLaunch tray{{(m_folder / "KX-507-demo").string()}, m_folder, Environment()};
    const pid_t program = StartProcess(tray);
    // The program opens its channel once it holds the single-instance mutex.
    ASSERT_TRUE(PollUntil([&] { return fs::exists(m_run / "RV880KXClass.sock"); }));
    const std::string before = FileText(m_folder / "config.bin");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"import", profile}, {"apply"}, {"show", "--from-mouse"}, {"profile", "use", "game"}}) {
        const ProcessResult refused = Ctl(command);
        EXPECT_EQ(refused.status, 5) << command.back();
        EXPECT_NE(refused.err.find("KX-507 is running"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(Ctl({"show"}).status, 0);
    EXPECT_EQ(Ctl({"export", "-"}).status, 0);
    EXPECT_EQ(FileText(m_folder / "config.bin"), before);
    EXPECT_FALSE(fs::exists(m_run / kMouseStateFile));

    ::kill(program, SIGTERM);
    EXPECT_NE(WaitProcess(program, tray, std::chrono::seconds(60)).status, -1);
    const ProcessResult imported = Ctl({"import", profile});
    EXPECT_EQ(imported.status, 0) << imported.err;
    const ProcessResult applied = Ctl({"apply"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_TRUE(fs::exists(m_run / kMouseStateFile));
    const ProcessResult used = Ctl({"profile", "use", "game"});
    EXPECT_EQ(used.status, 0) << used.err;
}

// Random settings and a random mouse: the window's Apply (driven by the
// scripted runner) and the command's apply leave the same 322 bytes.
TEST_F(CtlWithMouse, ApplyLeavesTheMouseAsTheWindowsApplyDoes)
{
    std::mt19937 random(2121);
    for (int round = 0; round < 3; ++round) {
        std::string memory(kDeviceImageSize, '\0');
        for (char& byte : memory) {
            byte = static_cast<char>(random() & 0xFF);
        }
        const auto dpiTable = static_cast<std::uint8_t>(round % 4);
        memory[kImageDpiTableSelector] = static_cast<char>(dpiTable);
        const std::uint8_t firstRunFlag = round == 0 ? 0 : 1;  // the first run also writes the tables
        const std::string config = ConfigBin(firstRunFlag, RandomRecord(random, dpiTable));
        WriteFile(m_root / "memory.bin", memory);
        WriteFile(m_root / "config-in.bin", config);
        WriteFile(m_root / "str-in.ini", "[Setting-EN]\nItem1=Left Click\n");
        WriteFile(m_root / "apply.kxs", "mouse memory memory.bin\nconfig.bin config-in.bin\nstr.ini str-in.ini\n"
                                        "start\ntray click\nclick 500 580\nshow mouse\n");
        const ProcessResult window =
            RunProcess({{(m_output / "kx-run").string(), (m_root / "apply.kxs").string()}, m_root, Environment()});
        ASSERT_EQ(window.status, 0) << window.out << window.err;
        const std::string windowMemory = MouseMemoryOfReport(window.out);
        ASSERT_EQ(windowMemory.size(), kDeviceImageSize) << window.out;
        ASSERT_NE(windowMemory, memory);

        WriteFile(m_run / kMouseStateFile, memory);
        WriteFile(m_folder / "config.bin", config);
        WriteFile(m_folder / "str.ini", "[Setting-EN]\nItem1=Left Click\n");
        const ProcessResult applied = Ctl({"apply"});
        ASSERT_EQ(applied.status, 0) << applied.err;
        EXPECT_EQ(FileText(m_run / kMouseStateFile), windowMemory) << "round " << round;
        EXPECT_EQ(FileText(m_folder / "config.bin")[0], '\x01');
    }
}

TEST_F(CtlWithMouse, ShowFromMouseShowsWhatApplySent)
{
    ASSERT_EQ(Ctl({"apply"}).status, 0);
    const ProcessResult files = Ctl({"show", "--json"});
    const ProcessResult mouse = Ctl({"show", "--from-mouse", "--json"});
    ASSERT_EQ(mouse.status, 0) << mouse.err;
    // The mouse holds no key-set selector and only the lighting mode's own parameter.
    for (const char* part : {"\"dpi_stages\"", "\"key_sets\"", "\"fire\""}) {
        const auto Part = [&](const std::string& json) {
            const std::size_t at = json.find(part);
            return json.substr(at, json.find("],\n    \"", at) - at);
        };
        EXPECT_EQ(Part(mouse.out), Part(files.out)) << part;
    }
}
