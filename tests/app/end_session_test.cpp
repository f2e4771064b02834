// SPDX-License-Identifier: GPL-3.0-or-later
// Log-out, kill and Ctrl+C end the program as the tray menu's Exit does: the
// tray icon goes, the channel closes, the mouse's handles are closed and the
// exit code is 0; the next start runs. Also through a dialog open over the
// main window, and as the real demo executable in a process of its own.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "device/device_link.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/services/named_mutex.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/testing.h"
#include "tests/support/whole_program.h"

extern char** environ;

namespace {

using EndSessionTest = WholeProgramTest;

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Raises the signal and lets the message loop take it, as it would while
// the program waits for input, until the main window's loop has ended.
void Deliver(int signal, CVantorDlg& dlg)
{
    ::kill(::getpid(), signal);
    PumpUntil([&] { return dlg.IsModalEnded(); });
}

TEST_F(EndSessionTest, EachSignalEndsTheProgramAsTheTrayMenusExitDoes)
{
    for (const int signal : kEndSignals) {
        SCOPED_TRACE(signal);
        SimHid sim;
        const std::string socket = WindowMessageSocketPath(kMainWindowClass);
        bool ended = false;
        const int exitCode = RunProgram({[&](CVantorDlg& dlg) {
            ASSERT_TRUE(std::filesystem::exists(socket));
            Deliver(signal, dlg);
            ended = dlg.IsModalEnded();
        }});
        EXPECT_TRUE(ended);
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(wndtest::TrayCalls().back().message, NIM_DELETE);
        EXPECT_EQ(g_deviceLink.commandHandle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(sim.OpenHandles(), 0);
        EXPECT_FALSE(std::filesystem::exists(socket));
        // The disposition is the default again once the program has ended.
        struct sigaction now {};
        ::sigaction(signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
        FinishRun();
        PrepareRun();
    }
}

// A dialog of the program's that runs modally over the main window; the
// session asks the program to end as soon as it is up.
class CStandInDialog : public CDialog {
public:
    explicit CStandInDialog(CWnd* owner) : CDialog(IDD_KX507_DIALOG, owner) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::kill(::getpid(), SIGTERM);
        return TRUE;
    }
    void OnCancel() override
    {
        cancelled = true;
        CDialog::OnCancel();
    }
    bool cancelled = false;
};

TEST_F(EndSessionTest, ADialogOpenOverTheMainWindowIsCancelledFirst)
{
    SimHid sim;
    bool dialogCancelled = false;
    INT_PTR dialogResult = 0;
    const int exitCode = RunProgram({[&](CVantorDlg& dlg) {
        CStandInDialog dialog(&dlg);
        dialogResult = dialog.DoModal();
        dialogCancelled = dialog.cancelled;
    }});
    EXPECT_TRUE(dialogCancelled);
    EXPECT_EQ(dialogResult, IDCANCEL);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(wndtest::TrayCalls().back().message, NIM_DELETE);
}

// The real demo executable in a process of its own, told to end by `kill`.
TEST_F(EndSessionTest, TheDemoProgramEndsWithCodeZeroOnTerm)
{
    const std::string executable = m_outputFolder + "/KX-507-demo";
    pid_t child = 0;
    char* const argv[] = {const_cast<char*>(executable.c_str()), nullptr};
    ASSERT_EQ(::posix_spawn(&child, executable.c_str(), nullptr, nullptr, argv, environ), 0);
    const std::string socket = WindowMessageSocketPath(kMainWindowClass);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!std::filesystem::exists(socket) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(std::filesystem::exists(socket)) << "the demo did not start listening";
    ::kill(child, SIGTERM);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (std::chrono::steady_clock::now() >= deadline) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));
    EXPECT_NE(CreateMutexW(nullptr, FALSE, u"RV880-618Mutex"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "the next start would not run";
}

}  // namespace
