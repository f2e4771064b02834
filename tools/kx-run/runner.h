// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the program with a script: the program's modal loops take the
// script's actions one by one, so that a modal dialog (or the main window's
// own loop) never stalls the script, and every action is followed by what it
// made happen.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_mouse.h"
#include "platform/sim/wire_log.h"
#include "platform/windef.h"
#include "tools/kx-run/script.h"

class CReport;
class CRunObserver;
class SimHid;

struct RunPlace {
    std::filesystem::path folder;      // the program's folder
    std::filesystem::path runtimeDir;  // the user's run-time folder as the program sees it
    std::filesystem::path pngDir;      // where "png" writes
    std::filesystem::path scriptFolder;  // files the script names are relative to it
    std::filesystem::path self;        // this executable, for a second instance
    std::string secondSetup;           // set-up lines a second instance repeats
    std::function<void()> cleanUp;     // removes what the run made, before the process ends
    std::function<int()> program;      // runs the program to its end and returns its exit code
    // Called with the runner's exit status when the program ends the process
    // itself (ExitProcess), instead of ending it (for tests of the runner
    // itself); the process ends if it returns.
    std::function<void(int status)> end;
};

class CScriptRunner {
public:
    CScriptRunner(const Script& script, CReport& report, CRunObserver& observer, SimHid& sim, RunPlace place);
    ~CScriptRunner();
    CScriptRunner(const CScriptRunner&) = delete;
    CScriptRunner& operator=(const CScriptRunner&) = delete;

    // Runs the program through the script and returns the runner's exit
    // status: the program's exit code when the program ends, 0 when the
    // script ends first, 3 when the program ended before the script did, 2
    // when an action could not be carried out. A program the script outlives
    // is ended as the session's end would: every dialog is cancelled, and the
    // program returns in its own way, with nothing more in the report. Only
    // when the program ends the process itself (ExitProcess) does the process
    // end there, with that status.
    int Run();

private:
    static void OnExitProcess(UINT exitCode);
    // The report's last line and the status for a program that has ended.
    int ProgramEnded(int exitCode);
    // Ends the run with `status` while the program still runs: the report
    // is closed and every dialog cancelled, the innermost first, so that the
    // program's loops end and it returns in its own way; Run then returns
    // `status`. The first status given stays.
    void Finish(int status);

    void ContinueInside(HWND dialog);
    void Execute(const Step& step);
    void ExecuteTray(StepKind kind);
    void ExecuteInput(const Step& step);
    void ExecuteDevice(const Step& step);
    void ExecuteFiles(const Step& step);
    void ShowState(const std::string& what);
    void ShowFile(const std::string& name, bool asText);
    void ShowWire(const std::string& how);
    void ShowMouseChanges();
    void ShowControls();
    void ShowAccessibleTree();
    void SavePicture(const std::string& name);
    void ReportPixels(const Step& step);
    // The report can no longer be written (its reader went away): the run
    // stops and cleans up at once (a write failing while it stops is let be).
    void OutputLost();
    void StartSecondInstance();
    void Settle();
    void Error(const std::string& message);
    HWND Front() const { return m_dialogs.empty() ? nullptr : m_dialogs.back(); }
    // The runner's exit status for the program's exit code.
    int Status(int exitCode) const;
    void CleanUp();

    const Script& m_script;
    CReport& m_report;
    CRunObserver& m_observer;
    SimHid& m_sim;
    RunPlace m_place;
    std::size_t m_next = 0;         // the next action to run
    std::vector<HWND> m_dialogs;    // modal loops running, innermost last
    WireLog m_lastTransfer;         // what crossed the wire in the last action that used it
    std::string m_lastTransferBy;   // that action's line
    SimMouse::Configuration m_mouseSeen{};  // the mouse's memory when last shown
    std::string m_current = "start";  // the action running now
    bool m_failed = false;          // an action could not be carried out
    std::optional<int> m_finishStatus;  // set when the run ended before the program
    bool m_cleanedUp = false;
};
