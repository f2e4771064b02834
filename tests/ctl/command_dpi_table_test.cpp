// SPDX-License-Identifier: GPL-3.0-or-later
// Which DPI table `show` reads the settings files in: the mouse's when the
// command may read it, the one kept from the last read while the tray
// program has the mouse, table 0 only when neither is known, and always the
// one given with --dpi-table. Standard error says which.

#include <gtest/gtest.h>

#include <signal.h>

#include <thread>

#include "settings/device_image.h"
#include "tests/ctl/ctl_fixture.h"
#include "tests/ctl/process.h"

namespace fs = std::filesystem;

namespace {

class CtlDpiTable : public CtlFolderTest {
protected:
    fs::path Kept() const { return m_root / "state/kx-507/dpi-table"; }
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(CtlDpiTable, TheMouseElseTheKeptTableElseZeroAndAlwaysTheOneGiven)
{
    std::string memory(kDeviceImageSize, '\x11');
    memory[kImageDpiTableSelector] = 2;
    WriteFile(m_run / "kx507-demo-mouse.bin", memory);

    const ProcessResult mouse = Ctl({"show"});
    ASSERT_EQ(mouse.status, 0) << mouse.err;
    EXPECT_TRUE(Has(mouse.err, "DPI table 2, read from the mouse")) << mouse.err;
    EXPECT_TRUE(Has(mouse.out, "DPI table: 2")) << mouse.out;
    EXPECT_EQ(FileText(Kept()), "2\n") << "the command's read is kept too";

    // The tray program reads its mouse at start and keeps that table (the
    // demo program's mouse is a fresh one of its own); the command then
    // leaves the mouse to it and uses the kept table.
    const std::string sentinel = "no table yet";
    WriteFile(Kept(), sentinel);
    fs::copy_file(m_output / "KX-507-demo", m_folder / "KX-507-demo");
    fs::create_directory_symlink(m_output / "Skins", m_folder / "Skins");
    fs::create_directory_symlink(m_output / "icons", m_folder / "icons");
    const ProcessLaunch tray{{(m_folder / "KX-507-demo").string()}, m_folder, Environment()};
    const pid_t program = StartProcess(tray);
    ASSERT_TRUE(PollUntil([&] { return FileText(Kept()) != sentinel; }));
    const std::string table = FileText(Kept()).substr(0, 1);
    ASSERT_TRUE(PollUntil([&] { return fs::exists(m_run / "RV880KXClass.sock"); }));

    const ProcessResult kept = Ctl({"export", "-"});
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(Has(kept.err, "DPI table " + table + ", as last read from the mouse")) << kept.err;
    EXPECT_TRUE(Has(kept.out, "dpi_table = " + table)) << kept.out;

    for (const std::string& broken : {std::string("7\n"), std::string(100000, '2')}) {
        WriteFile(Kept(), broken);
        const ProcessResult zero = Ctl({"show"});
        EXPECT_EQ(zero.status, 0) << zero.err;
        EXPECT_TRUE(Has(zero.err, "ignored")) << zero.err;
        EXPECT_TRUE(Has(zero.err, "DPI table 0 assumed")) << zero.err;
        EXPECT_TRUE(Has(zero.out, "DPI table: 0")) << zero.out;
    }
    fs::remove(Kept());
    fs::create_directory(Kept());
    EXPECT_TRUE(Has(Ctl({"show"}).err, "not a regular file; ignored"));

    const ProcessResult given = Ctl({"show", "--dpi-table", "3"});
    EXPECT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(given.err, "");
    EXPECT_TRUE(Has(given.out, "DPI table: 3")) << given.out;

    ::kill(program, SIGTERM);
    EXPECT_NE(WaitProcess(program, tray, std::chrono::seconds(60)).status, -1);
}
