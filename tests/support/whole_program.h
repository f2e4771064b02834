// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole program run headless in the test's own process: a private
// install folder holding copies of the built skins and config.bin, a private
// run-time folder (so the single-instance lock and the channel socket are
// the test's own), a chosen system language, and ExitProcess turned into an
// exception that the test can catch.

#include <functional>
#include <string>
#include <vector>

#include "mainwnd/vantor_dlg.h"
#include "platform/windef.h"
#include "tests/support/process_state.h"

// Thrown by the ExitProcess hook: the program ended the process with this code.
struct ProcessExited {
    UINT code;
};

using ProgramStep = std::function<void(CVantorDlg&)>;

class WholeProgramTest : public HeadlessProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh start for another run inside one test: new folders, records,
    // process-wide state and recorded boxes. SetUp and TearDown call them.
    void PrepareRun();
    void FinishRun();

    // Runs RunVantorProgram. Each step runs in turn inside the main window's
    // loop; after the last one the program ends as from the tray menu, unless
    // a step ended it already. Returns the program's exit code.
    int RunProgram(std::vector<ProgramStep> steps = {});

    void WriteInstallFile(const std::string& name, const std::string& bytes);
    std::string ReadInstallFile(const std::string& name) const;
    void RemoveInstallFile(const std::string& name);

    // The tray operations recorded so far with this message (NIM_ADD, ...).
    std::vector<NOTIFYICONDATAW> TrayCallsOf(DWORD message) const;
    // The last balloon asked for, if any.
    const NOTIFYICONDATAW* LastBalloon() const;

    std::string m_installFolder;
    std::string m_runtimeFolder;
    std::string m_outputFolder;

private:
    std::string m_previousRuntime;
    bool m_hadRuntime = false;
};

// The main window behind a dialog handle of a modal step.
CVantorDlg& MainWindowOf(HWND dialog);
std::u16string U16(const std::string& text);
