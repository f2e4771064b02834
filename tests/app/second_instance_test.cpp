// SPDX-License-Identifier: GPL-3.0-or-later
// A second start of the program while one runs: the real executable, started
// as its own process against the running test instance.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/sim/sim_hid.h"
#include "platform/wnd/testing.h"
#include "tests/support/whole_program.h"

extern char** environ;

namespace {

// Starts the demo executable and waits for it while this instance keeps
// handling its messages; -1 when it did not end in time.
int RunSecondInstance(const std::string& executable)
{
    pid_t child = 0;
    char* const argv[] = {const_cast<char*>(executable.c_str()), nullptr};
    if (::posix_spawn(&child, executable.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        wndtest::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    wndtest::PumpMessages();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using SecondInstanceTest = WholeProgramTest;

// The second process runs on the offscreen desktop, which has no
// notification area, so it always asks; the running instance decides.
TEST_F(SecondInstanceTest, EndsWithCodeZeroAndLeavesTheRunningInstanceAlone)
{
    SimHid sim;
    int secondExit = -1;
    bool visible = true;
    RunProgram({[&](CVantorDlg& dlg) {
        secondExit = RunSecondInstance(m_outputFolder + "/KX-507-demo");
        visible = dlg.IsWindowVisible() != FALSE;
    }});
    EXPECT_EQ(secondExit, 0);
    EXPECT_FALSE(visible);
    EXPECT_EQ(TrayCallsOf(NIM_ADD).size(), 1u);
}

TEST_F(SecondInstanceTest, WithoutANotificationAreaItOpensTheRunningInstancesWindow)
{
    SimHid sim;
    wndtest::SetNotificationAreaAvailable(false);
    int secondExit = -1;
    bool visible = false;
    RunProgram({[&](CVantorDlg& dlg) {
        secondExit = RunSecondInstance(m_outputFolder + "/KX-507-demo");
        // Its request may still wait in the channel after it has ended.
        visible = PumpUntil([&] { return dlg.IsWindowVisible() != FALSE; });
    }});
    EXPECT_EQ(secondExit, 0);
    EXPECT_TRUE(visible);
}

}  // namespace
