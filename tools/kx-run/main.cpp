// SPDX-License-Identifier: GPL-3.0-or-later
// kx-run: runs the program headless with the simulated mouse, feeds it a
// script of a person's actions and reports what the person would see and
// what reached the mouse and the files. See PrintHelp below.

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "app/program.h"
#include "platform/module.h"
#include "platform/services/system_info.h"
#include "platform/sim/sim_hid.h"
#include "platform/wnd/testing.h"
#include "settings/exe_path.h"
#include "tools/kx-run/observer.h"
#include "tools/kx-run/report.h"
#include "tools/kx-run/run_folder.h"
#include "tools/kx-run/runner.h"
#include "tools/kx-run/script.h"

namespace fs = std::filesystem;

namespace {

// The program runs under the demo executable's name, as if started from the run folder.
constexpr char16_t kProgramName[] = u"KX-507-demo";
// Without a "language" line the run does not depend on the machine's locale.
constexpr LANGID kDefaultLanguage = 1033;
constexpr int kUsageError = 2;

struct Options {
    std::optional<fs::path> folder;
    std::optional<fs::path> runtimeDir;
    fs::path pngDir = ".";
    bool keep = false;
    std::string script;  // a file, or "-" for standard input
};

// A comma-separated list broken into lines of at most `width` characters
// between its entries, each line led by two blanks.
std::string WrappedList(const std::string& list, std::size_t width)
{
    std::string lines;
    std::string line;
    std::size_t at = 0;
    while (at < list.size()) {
        const std::size_t end = std::min(list.find(", ", at), list.size());
        const std::string entry = list.substr(at, std::min(end + 1, list.size()) - at);
        if (!line.empty() && line.size() + 1 + entry.size() > width - 2) {
            lines += "  " + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + entry;
        at = end + 2;
    }
    return lines + "  " + line;
}

void PrintHelp()
{
    std::cout << R"(usage: kx-run [OPTIONS] SCRIPT
Runs the KX-507 program headless (offscreen, simulated mouse, virtual clock)
in a fresh copy of the output folder, drives it with SCRIPT (a file, or - for
standard input) and prints a report of everything a person would see.

Options:
  --folder DIR       run in DIR as it is instead of a fresh copy
  --runtime-dir DIR  use DIR as the user's run-time folder (single-instance
                     lock, notification channel) instead of a private one
  --png-dir DIR      where "png" lines write their pictures (default: .)
  --keep             keep the run folder; its path goes to standard error
  --help             this text

Script: one line each, blanks between words, # starts a comment line.
Set-up, before "start" (files are relative to the script's folder):
  language ID                system default language id (default 1033)
  scale 1|1.5|2              the screen's scale (default 1): windows drawn at
                             150 % or 200 %; "png" saves the screen's pixels,
                             "pixel" and "look" still take client coordinates
  mouse absent | mouse present
  mouse memory FILE          the mouse's 322-byte configuration
  mouse factory [dpi-table N]   the factory configuration with DPI table N
  config.bin FILE | config.bin missing | config.bin folder
                             (a folder in its place: nothing loads or saves)
  config.bin byte OFFSET VALUE...   bytes written into config.bin at OFFSET
  str.ini FILE | str.ini missing
  skins missing | skins broken     no skin folder / every picture cut short
  skin FILE missing | skin FILE broken | skin FILE pipe
                             one picture below Skins/ (EN/main.png); a pipe
                             takes its place as a named pipe no one writes to
  notification-area absent   a desktop without a tray: the tray icon is
                             clicked once when its grace period (5000 ms of
                             "wait") is over, balloons go to the desktop's
                             notification service
  fault ...                  as below, for the start-up's own transfers
  start                      starts the program
Actions, after "start". Pointer and key actions go to the front window (the
open modal dialog, else the main window), which must be shown; X Y are its
client pixels:
  tray click | tray double-click | tray right-click
  choose ID | choose none    the entry of the pop-up menu the line before showed
  click X Y | double-click X Y | right-click X Y | move X Y | leave
  press X Y | release X Y    the left button down (held for the moves that
                             follow) and up again: a drag
  hover X Y [MS]             move, then rest MS ms (default 500)
  key NAME | key down NAME | key up NAME   ("key down" alone: the Down arrow)
  key repeat NAME            the held key repeats: another key-down of it
  type DIGITS                typed into the focused control
  focus X Y                  the keyboard focus moves to the control there,
                             or away from the controls when there is none
  notify CODE [DETAIL]       the notification message, through the channel
                             other programs use
  plug | unplug              with the notifications a real mouse sends
  device arrival|removal pointer|command|consumer|data
                             one notification of one of the mouse's
                             collections, nothing plugged or unplugged
  fault answer none|no-answer|bad-signature|wrong-report-id
  fault feature N fail|unplug   the Nth feature report from now
  fault call N fail|unplug      the Nth HID call from now
  fault enumeration          the next device enumeration fails
  notification-area appears  a panel that comes late takes the tray icon
  wait MS                    lets MS ms pass (hover time, the tray's grace)
  show record|applied|image|mouse|config.bin|str.ini   as hex (str.ini as text)
  show mouse changes         the mouse's bytes that changed since it was
                             last shown (or since the start)
  show wire | show wire reports | show wire raw   the last action's transfer:
                             in short, every report descrambled, or every
                             report's bytes as they crossed (scrambled)
  show controls              the front window's edits (their texts) and lists
                             (their entries, the selected one in brackets),
                             the focused one marked so
  show tree                  the front window's elements as a screen reader
                             gets them: role, name, value, states, action;
                             with Tab, Shift+Tab ("key down Shift" ...
                             "key up Shift") and Space the keyboard walks
                             and uses them
  config.bin ... | str.ini ...   the set-up lines, in the middle of a run
  png NAME.png               the front window's picture, into --png-dir
  pixel X Y                  the front window's colour there, as rrggbb
  look LEFT TOP RIGHT BOTTOM a fingerprint of the front window's pixels in
                             the rectangle: equal pixels, equal fingerprint
  start second instance      a second copy in the same folder and user

Report: each action line as "> line", then what it caused, in order:
message boxes (answered OK), balloons (and the notification each became
on a desktop without a tray), tray icon changes, pop-up menus and
the entry chosen, drop-down lists opened (id, where in their window's client
area, entries) and closed, window drags started, windows shown or hidden,
dialogs (by template id) opened and closed with their result (1 confirmed,
2 cancelled), web pages opened, the process end and its exit code. Lists, drags and windows shown or hidden are reported when the action
is over. Lines starting with "!" are actions that could not be carried out.

Key names:
)" << WrappedList(KeyNameList(), 78) << R"(

Exit status: the program's exit code when it ends; 0 when the script ends
first; 2 for a bad script, an action that could not be carried out or a
report that could not be written; 3 when the program ended before the script
did.
)";
}

std::optional<Options> ParseArguments(int argc, char** argv)
{
    Options options;
    bool haveScript = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--folder" && hasValue) {
            options.folder = argv[++i];
        } else if (argument == "--runtime-dir" && hasValue) {
            options.runtimeDir = argv[++i];
        } else if (argument == "--png-dir" && hasValue) {
            options.pngDir = argv[++i];
        } else if (argument == "--keep") {
            options.keep = true;
        } else if (!haveScript && (argument == "-" || argument.rfind("--", 0) != 0)) {
            options.script = argument;
            haveScript = true;
        } else {
            return std::nullopt;
        }
    }
    return haveScript ? std::optional(options) : std::nullopt;
}

// The script, from a file or standard input, no longer than any input the
// runner reads.
std::optional<std::string> ReadScript(const std::string& name)
{
    if (name != "-") {
        return ReadWholeFile(name);
    }
    std::string text;
    std::array<char, 4096> chunk{};
    while (std::cin.read(chunk.data(), chunk.size()) || std::cin.gcount() > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > kMaxRunnerInputBytes) {
            return std::nullopt;
        }
    }
    return text;
}

// The set-up a second instance repeats: what the machine is like, not what is in the folder.
std::string SecondInstanceSetup(const Script& script)
{
    std::string lines;
    for (const Step& step : script.setup) {
        switch (step.kind) {
        case StepKind::Language:
        case StepKind::MouseAbsent:
        case StepKind::MousePresent:
        case StepKind::MouseFactory:
        case StepKind::NoNotificationArea:
        case StepKind::Scale:
            lines += step.text + "\n";
            break;
        default:
            break;
        }
    }
    return lines;
}

struct MachineSetup {
    LANGID language = kDefaultLanguage;
    bool notificationArea = true;
    std::string scale = "1";
    SimHid::Options mouse;
    std::optional<SimMouse::Configuration> memory;
};

std::optional<std::string> ReadMachineSetup(const Script& script, const fs::path& scriptFolder, MachineSetup& machine)
{
    for (const Step& step : script.setup) {
        switch (step.kind) {
        case StepKind::Language: machine.language = static_cast<LANGID>(step.number); break;
        case StepKind::MouseAbsent: machine.mouse.plugged = false; break;
        case StepKind::MousePresent: machine.mouse.plugged = true; break;
        case StepKind::NoNotificationArea: machine.notificationArea = false; break;
        case StepKind::Scale: machine.scale = step.path; break;
        case StepKind::MouseFactory:
            machine.mouse.dpiTableSet = static_cast<std::uint8_t>(step.number);
            machine.memory = SimMouse::FactoryConfiguration(machine.mouse.dpiTableSet);
            break;
        case StepKind::MouseMemory: {
            const auto content = ReadWholeFile(scriptFolder / step.path, SimMouse::kConfigurationSize);
            if (!content || content->size() != SimMouse::kConfigurationSize) {
                return "line " + std::to_string(step.line) + ": " + step.path + " is not a 322-byte file";
            }
            SimMouse::Configuration memory{};
            std::memcpy(memory.data(), content->data(), memory.size());
            machine.memory = memory;
            break;
        }
        default: break;
        }
    }
    return std::nullopt;
}

// The offscreen platform warns each time a window is brought forward; that is
// no news in a headless run. Everything else Qt says still goes to standard error.
QtMessageHandler g_qtMessages = nullptr;

void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()"))) {
        return;
    }
    if (g_qtMessages != nullptr) {
        g_qtMessages(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "kx-run: %s\n", message.c_str());
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintHelp();
        return 0;
    }
    const auto options = ParseArguments(argc, argv);
    if (!options) {
        return Fail("usage: kx-run [--folder DIR] [--runtime-dir DIR] [--png-dir DIR] [--keep] SCRIPT (see --help)");
    }
    const auto text = ReadScript(options->script);
    if (!text) {
        return Fail("cannot read " + options->script);
    }
    const auto parsed = ParseScript(*text);
    if (const auto* error = std::get_if<ScriptError>(&parsed)) {
        return Fail(options->script + ":" + std::to_string(error->line) + ": " + error->message);
    }
    const Script& script = std::get<Script>(parsed);
    const fs::path scriptFolder = options->script == "-" ? fs::path(".") : fs::path(options->script).parent_path();

    MachineSetup machine;
    if (auto error = ReadMachineSetup(script, scriptFolder, machine)) {
        return Fail(*error);
    }

    std::error_code ignored;
    const fs::path self = fs::read_symlink("/proc/self/exe", ignored);
    RunPlace place;
    place.self = self;
    place.pngDir = options->pngDir;
    place.secondSetup = SecondInstanceSetup(script);
    place.program = RunVantorProgram;
    place.scriptFolder = scriptFolder;
    std::vector<fs::path> owned;
    if (options->folder) {
        place.folder = fs::absolute(*options->folder);
    } else {
        place.folder = MakePrivateFolder("kx-run");
        if (place.folder.empty()) {
            return Fail("cannot make a run folder");
        }
        owned.push_back(place.folder);
        if (auto error = CopyOutputFolder(self.parent_path(), place.folder)) {
            fs::remove_all(place.folder, ignored);
            return Fail(*error);
        }
    }
    if (options->runtimeDir) {
        place.runtimeDir = fs::absolute(*options->runtimeDir);
    } else {
        place.runtimeDir = MakePrivateFolder("kx-run-user");
        if (place.runtimeDir.empty()) {
            return Fail("cannot make a run-time folder");
        }
        owned.push_back(place.runtimeDir);
    }
    const bool keep = options->keep;
    place.cleanUp = [owned, keep]() {
        for (const fs::path& path : owned) {
            std::error_code error;
            if (keep) {
                std::fprintf(stderr, "kx-run: kept %s\n", path.c_str());
            } else {
                fs::remove_all(path, error);
            }
        }
    };
    for (const Step& step : script.setup) {
        if (auto error = ApplyFileSetup(step, place.folder, scriptFolder)) {
            place.cleanUp();
            return Fail("line " + std::to_string(step.line) + ": " + *error);
        }
    }

    // A reader that goes away early (kx-run ... | head) must not end the run
    // before it has removed its folders: the failed write is noticed instead.
    std::signal(SIGPIPE, SIG_IGN);
    ::setenv("XDG_RUNTIME_DIR", place.runtimeDir.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The desktop's own scale setting; the run never takes the caller's.
    ::setenv("QT_SCALE_FACTOR", machine.scale.c_str(), 1);
    ::unsetenv("QT_SCREEN_SCALE_FACTORS");
    g_qtMessages = qInstallMessageHandler(QuietQtMessages);
    wndtest::StartHeadless();
    wndtest::SetNotificationAreaAvailable(machine.notificationArea);
    SetSystemDefaultLangIdForTesting(machine.language);
    SimHid sim(machine.mouse);
    if (machine.memory) {
        sim.Mouse().SetMemory(*machine.memory);
    }
    SetModulePathForTesting((place.folder / kProgramName).u16string());
    SetApplicationNameForTesting(kProgramName);

    CReport report(stdout);
    CRunObserver observer(report);
    SetMessageBoxPresenter(&observer);
    SetShellOpener(&observer);
    CScriptRunner runner(script, report, observer, sim, std::move(place));
    const int status = runner.Run();
    SetShellOpener(nullptr);
    SetMessageBoxPresenter(nullptr);
    return status;
}
