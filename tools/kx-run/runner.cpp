// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/runner.h"

#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KX_HAS_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef KX_HAS_ADDRESS_SANITIZER
#define KX_HAS_ADDRESS_SANITIZER 0
#endif
#if defined(__SANITIZE_ADDRESS__) || KX_HAS_ADDRESS_SANITIZER
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>
#include <cstring>

#include "tray/instance_channel.h"
#include "tray/notifications.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/services/process.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/notify_icon.h"
#include "platform/wnd/testing.h"
#include "settings/device_image.h"
#include "settings/settings_state.h"
#include "tools/kx-run/child_process.h"
#include "tools/kx-run/observer.h"
#include "tools/kx-run/report.h"
#include "tools/kx-run/run_folder.h"

namespace {

CScriptRunner* g_runner = nullptr;

// Under the leak checker: looks for memory nothing refers to any more, and
// ends the process with the checker's report when there is some.
void CheckForLeaksNow()
{
#if defined(__SANITIZE_ADDRESS__) || KX_HAS_ADDRESS_SANITIZER
    __lsan_do_leak_check();
#endif
}

// Exit code of the runner when the program ended while script lines were left.
constexpr int kEndedEarly = 3;
// Exit code of the runner when an action could not be carried out.
constexpr int kActionFailed = 2;

// Whether the dialog's modal loop is over; result gets the code it ended with.
bool ModalEnded(HWND dialog, int& result)
{
    const auto* running = dynamic_cast<const CDialog*>(CWnd::FromHandle(dialog));
    if (running != nullptr) {
        result = running->ModalResult();
    }
    return running == nullptr || running->IsModalEnded();
}

// The child control of window at a client point; the window itself where there is none.
HWND ControlAt(HWND window, CPoint client)
{
    CWnd* parent = CWnd::FromHandle(window);
    CPoint screen = client;
    parent->ClientToScreen(&screen);
    for (HWND handle : CWnd::AllWindows()) {
        const CWnd* control = CWnd::FromHandle(handle);
        CRect rect;
        control->GetWindowRect(&rect);
        if (control->GetParent() == parent && control->IsWindowVisible() && rect.PtInRect(screen)) {
            return handle;
        }
    }
    return window;
}

}  // namespace

CScriptRunner::CScriptRunner(const Script& script, CReport& report, CRunObserver& observer, SimHid& sim,
                             RunPlace place)
    : m_script(script), m_report(report), m_observer(observer), m_sim(sim), m_place(std::move(place))
{
    g_runner = this;
    SetExitProcessHookForTesting(&CScriptRunner::OnExitProcess);
    m_report.OnWriteFailure([this] { OutputLost(); });
}

CScriptRunner::~CScriptRunner()
{
    SetExitProcessHookForTesting(nullptr);
    g_runner = nullptr;
}

int CScriptRunner::Run()
{
    // Faults set up before the start are there for the start-up's own transfers.
    for (const Step& step : m_script.setup) {
        if (IsFault(step.kind)) {
            ExecuteDevice(step);
        }
    }
    m_mouseSeen = m_sim.Mouse().Memory();
    m_report.Line("> start");
    wndtest::QueueModalAction([this](HWND dialog) { ContinueInside(dialog); });
    const int exitCode = m_place.program();
    const int status = m_finishStatus ? *m_finishStatus : ProgramEnded(exitCode);
    CleanUp();
    return status;
}

// The program ends the process: no destructor of the program's runs, as on
// Windows. What the leak checker would find at the end it is asked now, while
// everything still in use can be reached.
void CScriptRunner::OnExitProcess(UINT exitCode)
{
    if (g_runner == nullptr) {
        return;
    }
    const int status =
        g_runner->m_finishStatus ? *g_runner->m_finishStatus : g_runner->ProgramEnded(static_cast<int>(exitCode));
    g_runner->CleanUp();
    if (g_runner->m_place.end) {
        g_runner->m_place.end(status);
    }
    CheckForLeaksNow();
    std::fflush(nullptr);
    ::_exit(status);
}

int CScriptRunner::ProgramEnded(int exitCode)
{
    m_observer.Flush();
    m_report.Line("process end, exit code " + std::to_string(exitCode));
    m_report.Close();
    if (m_next < m_script.actions.size()) {
        std::fprintf(stderr, "kx-run: the program ended before line %d\n", m_script.actions[m_next].line);
        return kEndedEarly;
    }
    return Status(exitCode);
}

int CScriptRunner::Status(int exitCode) const
{
    return m_failed && exitCode == 0 ? kActionFailed : exitCode;
}

void CScriptRunner::CleanUp()
{
    std::fflush(nullptr);
    if (!m_cleanedUp && m_place.cleanUp) {
        m_cleanedUp = true;
        m_place.cleanUp();
    }
}

void CScriptRunner::Finish(int status)
{
    if (!m_finishStatus) {
        m_finishStatus = status;
        m_observer.Flush();
        m_report.Close();
    }
    // Again each time: a run may be finished before the program's first
    // dialog is up, and a dialog may still open while the others end.
    CDialog::CancelModalDialogs();
}

// Runs inside the modal loop of `dialog`: takes actions until the dialog
// ends. A dialog the action opens runs its own loop, which takes the next
// actions through the action queued here, and hands back when it ends. Once
// the script is over, a dialog that still opens is cancelled at once.
void CScriptRunner::ContinueInside(HWND dialog)
{
    const bool opened = m_dialogs.empty() || m_dialogs.back() != dialog;
    if (opened) {
        Settle();
        if (!m_dialogs.empty()) {
            m_report.Line(CRunObserver::WindowName(dialog) + " opened");
        }
        m_dialogs.push_back(dialog);
    }
    wndtest::QueueModalAction([this](HWND inner) { ContinueInside(inner); });
    int result = -1;
    while (!ModalEnded(dialog, result)) {
        if (m_finishStatus || m_next == m_script.actions.size()) {
            Finish(Status(0));
            continue;
        }
        const Step& step = m_script.actions[m_next++];
        m_report.Line("> " + step.text);
        m_current = step.text;
        Execute(step);
        Settle();
    }
    m_dialogs.pop_back();
    if (!m_dialogs.empty()) {
        m_report.Line(CRunObserver::WindowName(dialog) + " closed, result " + std::to_string(result));
    }
}

// What the program does once an action is over: device notifications that
// waited for it to return to its loop, queued messages, paints; then the
// report of what happened, and the wire log kept for "show wire".
void CScriptRunner::Settle()
{
    m_sim.DeliverPendingNotifications();
    wndtest::PumpMessages();
    m_observer.Flush();
    if (m_sim.Log().Size() > 0) {
        m_lastTransfer.Clear();
        for (const WireEntry& entry : m_sim.Log().Entries()) {
            m_lastTransfer.Add(entry);
        }
        m_sim.Log().Clear();
        m_lastTransferBy = m_current;
    }
}

void CScriptRunner::Error(const std::string& message)
{
    m_failed = true;
    m_observer.Flush();
    m_report.Line("! " + message);
}

void CScriptRunner::Execute(const Step& step)
{
    // A pop-up menu is answered by the line after the action that shows it,
    // as a person picks the entry after the menu has appeared.
    const bool menuFollows = m_next < m_script.actions.size() && m_script.actions[m_next].kind == StepKind::Choose;
    m_observer.SetMenuChoice(menuFollows ? static_cast<UINT>(m_script.actions[m_next].number) : 0);
    const std::size_t menusBefore = wndtest::Menus().size();

    switch (step.kind) {
    case StepKind::TrayClick:
    case StepKind::TrayDoubleClick:
    case StepKind::TrayRightClick:
        ExecuteTray(step.kind);
        break;
    case StepKind::Choose:
        Error("no pop-up menu was shown by the line before");
        break;
    case StepKind::Wait:
        wndtest::AdvanceTime(static_cast<DWORD>(step.number));
        break;
    case StepKind::NotificationAreaAppears:
        wndtest::SetNotificationAreaAvailable(true);
        break;
    case StepKind::Show:
        ShowState(step.word);
        break;
    case StepKind::Png:
        SavePicture(step.path);
        break;
    case StepKind::Pixel:
    case StepKind::Look:
        ReportPixels(step);
        break;
    case StepKind::SecondInstance:
        StartSecondInstance();
        break;
    case StepKind::Notify:
    case StepKind::Plug:
    case StepKind::Unplug:
    case StepKind::DeviceNotification:
        ExecuteDevice(step);
        break;
    default:
        if (IsFault(step.kind)) {
            ExecuteDevice(step);
        } else if (IsSettingsFileChange(step.kind)) {
            ExecuteFiles(step);
        } else {
            ExecuteInput(step);
        }
        break;
    }
    // The choice was made while the menu was up; its line is used up with the
    // action, which may well end the program.
    if (menuFollows) {
        ++m_next;
        if (wndtest::Menus().size() == menusBefore) {
            Error("line " + std::to_string(m_script.actions[m_next - 1].line) + ": no pop-up menu was shown");
        }
    }
}

// The mouse messages the tray icon passes on, as the desktop sends them for
// each gesture (a double click is a click, the double click, and a release).
void CScriptRunner::ExecuteTray(StepKind kind)
{
    if (!IsNotificationAreaAvailable()) {
        Error("no notification area shows the tray icon");
        return;
    }
    static const std::pair<StepKind, std::vector<UINT>> kGestures[] = {
        {StepKind::TrayClick, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {StepKind::TrayDoubleClick, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
        {StepKind::TrayRightClick, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
    };
    for (const auto& [gesture, messages] : kGestures) {
        if (gesture == kind) {
            for (UINT message : messages) {
                wndtest::TrayMouse(message);
            }
        }
    }
}

void CScriptRunner::ExecuteInput(const Step& step)
{
    const HWND front = Front();
    if (const CWnd* window = CWnd::FromHandle(front); window == nullptr || !window->IsWindowVisible()) {
        Error(CRunObserver::WindowName(front) + " is not shown");
        return;
    }
    const CPoint at(step.x, step.y);
    const auto key = static_cast<UINT>(step.number);
    switch (step.kind) {
    case StepKind::Click: wndtest::Click(front, at); break;
    case StepKind::DoubleClick: wndtest::DoubleClick(front, at); break;
    case StepKind::RightClick: wndtest::RightClick(front, at); break;
    case StepKind::Press: wndtest::MouseDown(front, at); break;
    case StepKind::Release: wndtest::MouseUp(front, at); break;
    case StepKind::Move: wndtest::MouseMove(front, at); break;
    case StepKind::Hover:
        wndtest::MouseMove(front, at);
        wndtest::AdvanceTime(static_cast<DWORD>(step.number));
        break;
    case StepKind::Leave: wndtest::MouseLeave(front); break;
    case StepKind::KeyPress: wndtest::KeyPress(front, key, step.extended); break;
    case StepKind::KeyDown: wndtest::KeyDown(front, key, step.extended); break;
    case StepKind::KeyRepeat: wndtest::KeyDown(front, key, step.extended, true); break;
    case StepKind::KeyUp: wndtest::KeyUp(front, key, step.extended); break;
    case StepKind::Type: wndtest::TypeText(front, step.typed); break;
    case StepKind::Focus: wndtest::Focus(ControlAt(front, at)); break;
    default: Error("not an action"); break;
    }
}

void CScriptRunner::ExecuteDevice(const Step& step)
{
    static const std::pair<std::string_view, SimMouse::AnswerFault> kAnswers[] = {
        {"none", SimMouse::AnswerFault::None},
        {"no-answer", SimMouse::AnswerFault::NoAnswer},
        {"bad-signature", SimMouse::AnswerFault::BadSignature},
        {"wrong-report-id", SimMouse::AnswerFault::WrongReportId},
    };
    // The mouse's four collections as notifications name them.
    static const std::pair<std::string_view, std::u16string_view> kCollections[] = {
        {"pointer", u"mi_00"},
        {"command", u"mi_01&col01"},
        {"consumer", u"mi_01&col02"},
        {"data", u"mi_01&col03"},
    };
    const auto fault = step.word == "unplug" ? SimHid::CallFault::Unplug : SimHid::CallFault::Fail;
    switch (step.kind) {
    case StepKind::Notify: {
        const WindowMessage message{kNotificationMessage, static_cast<WPARAM>(step.number),
                                    static_cast<LPARAM>(step.detail)};
        if (!SendWindowClassMessage(kMainWindowClass, message)) {
            Error("no program listens for notifications");
        }
        break;
    }
    case StepKind::Plug:
        if (m_sim.IsPlugged()) {
            Error("the mouse is plugged in already");
        } else {
            m_sim.Plug();
        }
        break;
    case StepKind::Unplug:
        if (!m_sim.IsPlugged()) {
            Error("the mouse is not plugged in");
        } else {
            m_sim.Unplug();
        }
        break;
    case StepKind::DeviceNotification:
        for (const auto& [name, pathPart] : kCollections) {
            if (step.path == name && !m_sim.NotifyInterface(step.word == "arrival" ? DBT_DEVICEARRIVAL
                                                                                   : DBT_DEVICEREMOVECOMPLETE,
                                                            pathPart)) {
                Error("the mouse has no " + step.path + " collection");
            }
        }
        break;
    case StepKind::FaultAnswer:
        for (const auto& [name, answer] : kAnswers) {
            if (step.word == name) {
                m_sim.Mouse().SetAnswerFault(answer);
            }
        }
        break;
    case StepKind::FaultFeature: m_sim.InjectFeatureFault(static_cast<int>(step.number), fault); break;
    case StepKind::FaultCall: m_sim.InjectCallFault(static_cast<int>(step.number), fault); break;
    case StepKind::FaultEnumeration: m_sim.FailNextClassDevs(); break;
    default: break;
    }
}

void CScriptRunner::StartSecondInstance()
{
    const std::vector<std::string> arguments = {
        "--folder", m_place.folder.string(), "--runtime-dir", m_place.runtimeDir.string(), "-",
    };
    const ChildResult child = RunChild(m_place.self, arguments, m_place.secondSetup + "start\n");
    for (const std::string& line : child.outputLines) {
        m_report.Line("  " + line);
    }
    if (!child.started) {
        Error("the second instance could not be started");
    } else if (child.signal != 0) {
        m_report.Line("second instance killed by signal " + std::to_string(child.signal));
    } else {
        m_report.Line("second instance ended, exit code " + std::to_string(child.exitCode));
    }
}
