// SPDX-License-Identifier: GPL-3.0-or-later
// What the runner shows on request: the program's state ("show"), the front
// window's picture ("png") and its pixels ("pixel", "look"); and the run
// folder's files changed in the middle of a run.

#include <cstdio>

#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/edit.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/testing.h"
#include "settings/device_image.h"
#include "settings/exe_path.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "tools/kx-run/observer.h"
#include "tools/kx-run/report.h"
#include "tools/kx-run/run_folder.h"
#include "tools/kx-run/runner.h"
#include "tools/kx-run/shown_file.h"

namespace {

// Exit status of a run whose report could not be written.
constexpr int kReportLost = 2;

std::string Hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes)
{
    std::string line;
    for (std::uint8_t byte : bytes) {
        line += " " + Hex(byte);
    }
    return line;
}

// One report of the wire: its kind, where it went, and its bytes, either as
// the firmware reads them or scrambled, as they crossed.
std::string ReportLine(const WireEntry& entry, bool raw)
{
    static const char* const kTargets[] = {"command", "data", "other collection", "no collection"};
    if (entry.kind == WireEntry::Kind::Pause) {
        return "pause " + std::to_string(entry.pause.count()) + " ms";
    }
    return std::string(entry.kind == WireEntry::Kind::SetFeature ? "set " : "get ") +
           kTargets[static_cast<int>(entry.target)] + (entry.ok ? ":" : " (failed):") +
           HexBytes(raw ? entry.bytes : entry.plain);
}

std::string Rgb(COLORREF color)
{
    return Hex(GetRValue(color)) + Hex(GetGValue(color)) + Hex(GetBValue(color));
}

// FNV-1a over red, green and blue of each pixel, row by row: equal pictures
// give equal fingerprints.
std::uint32_t Fingerprint(const wndtest::WindowImage& image, const CRect& rect)
{
    std::uint32_t hash = 2166136261u;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = image.At(x, y);
            for (const BYTE part : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
                hash = (hash ^ part) * 16777619u;
            }
        }
    }
    return hash;
}

}  // namespace

void CScriptRunner::ShowState(const std::string& what)
{
    const auto bytes = [this](const std::string& title, const std::uint8_t* data, std::size_t size) {
        m_report.Line(title + " (" + std::to_string(size) + " bytes)");
        m_report.Lines(HexLines(data, size));
    };
    if (what == "record" || what == "applied") {
        const SettingsRecord& record = what == "record" ? g_settingsRecord : g_appliedCopy;
        bytes(what == "record" ? "settings record" : "applied copy", reinterpret_cast<const std::uint8_t*>(&record),
              sizeof record);
    } else if (what == "image") {
        bytes(std::string("device image, ") + (g_deviceImageFromMouse ? "read from the mouse" : "not from the mouse"),
              g_deviceImage.data(), g_deviceImage.size());
    } else if (what == "mouse") {
        bytes("mouse memory", m_sim.Mouse().Memory().data(), m_sim.Mouse().Memory().size());
        m_mouseSeen = m_sim.Mouse().Memory();
    } else if (what == "mouse changes") {
        ShowMouseChanges();
    } else if (what == "config.bin" || what == "str.ini") {
        ShowFile(what, what == "str.ini");
    } else if (what == "controls") {
        ShowControls();
    } else if (what == "tree") {
        ShowAccessibleTree();
    } else {
        ShowWire(what);
    }
}

// Whatever stands in the file's place is named instead of read. The file is
// the one the program uses, which for a run folder the user may not write is
// in the user's configuration folder.
void CScriptRunner::ShowFile(const std::string& name, bool asText)
{
    const SettingsFilePaths paths = SettingsFilePathsFor(ModulePath());
    const ShownFile file =
        ReadShownFile(std::filesystem::path(asText ? paths.labelFile : paths.settingsFile));
    switch (file.state) {
    case ShownFile::State::Missing:
        m_report.Line(name + " is missing");
        return;
    case ShownFile::State::NotRegular:
        m_report.Line(name + " is not a file: " + file.what);
        return;
    case ShownFile::State::Unreadable:
        m_report.Line(name + " cannot be read");
        return;
    case ShownFile::State::Read:
        break;
    }
    std::string title = name + " (" + std::to_string(file.size) + " bytes";
    if (file.content.size() < file.size) {
        title += ", the first " + std::to_string(file.content.size()) + " shown";
    }
    m_report.Line(title + ")");
    if (asText) {
        m_report.Lines(TextFileLines(file.content));
    } else {
        m_report.Lines(HexLines(reinterpret_cast<const std::uint8_t*>(file.content.data()), file.content.size()));
    }
}

// Every byte of the mouse's memory that differs from when it was last shown
// (or from the start), with its old and new value.
void CScriptRunner::ShowMouseChanges()
{
    const SimMouse::Configuration& now = m_sim.Mouse().Memory();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < now.size(); ++at) {
        if (now[at] != m_mouseSeen[at]) {
            char line[32];
            std::snprintf(line, sizeof line, "%03zx: %02x -> %02x", at, m_mouseSeen[at], now[at]);
            lines.emplace_back(line);
        }
    }
    m_report.Line("mouse memory, " + std::to_string(lines.size()) + (lines.size() == 1 ? " byte" : " bytes") +
                  " changed");
    m_report.Lines(lines);
    m_mouseSeen = now;
}

void CScriptRunner::ShowWire(const std::string& how)
{
    if (m_lastTransfer.Size() == 0) {
        m_report.Line("wire: nothing has crossed it");
        return;
    }
    if (how == "wire") {
        m_report.Line("wire of \"" + m_lastTransferBy + "\": " + m_lastTransfer.Summary());
        return;
    }
    const bool raw = how == "wire raw";
    m_report.Line(std::string(raw ? "wire bytes" : "wire reports") + " of \"" + m_lastTransferBy + "\" (" +
                  std::to_string(m_lastTransfer.Size()) + ")");
    for (const WireEntry& entry : m_lastTransfer.Entries()) {
        m_report.Line("  " + ReportLine(entry, raw));
    }
}

// The front window's edits with their texts and its lists with their
// entries (the selected one in brackets), in the order they were made; the
// control with the keyboard focus is marked.
void CScriptRunner::ShowControls()
{
    const CWnd* front = CWnd::FromHandle(Front());
    std::vector<std::string> lines;
    for (HWND handle : CWnd::AllWindows()) {
        const CWnd* control = CWnd::FromHandle(handle);
        if (control->GetParent() != front) {
            continue;
        }
        std::string line;
        if (const auto* list = dynamic_cast<const CListBox*>(control)) {
            line = "list " + std::to_string(list->GetDlgCtrlID()) + ":";
            for (int entry = 0; entry < list->GetCount(); ++entry) {
                std::u16string text;
                list->GetText(entry, text);
                line += (entry == list->GetCurSel() ? " [" : " ") + Quoted(text) +
                        (entry == list->GetCurSel() ? "]" : "");
            }
        } else if (dynamic_cast<const CEdit*>(control) != nullptr) {
            std::u16string text;
            control->GetWindowText(text);
            line = "edit " + std::to_string(control->GetDlgCtrlID()) + ": " + Quoted(text);
        } else {
            continue;
        }
        lines.push_back(line + (::GetFocus() == handle ? " (focus)" : ""));
    }
    m_report.Line("controls of " + CRunObserver::WindowName(Front()) + ": " +
                  (lines.empty() ? std::string("none") : std::to_string(lines.size())));
    for (const std::string& line : lines) {
        m_report.Line("  " + line);
    }
}

// What a screen reader is handed of the front window, one element a line.
void CScriptRunner::ShowAccessibleTree()
{
    const HWND front = Front();
    m_report.Line("accessible tree of " + CRunObserver::WindowName(front) + ":");
    std::string tree = wndtest::AccessibleTree(front);
    std::size_t start = 0;
    while (start < tree.size()) {
        const std::size_t end = tree.find('\n', start);
        m_report.Line("  " + tree.substr(start, end - start));
        start = end == std::string::npos ? tree.size() : end + 1;
    }
}

void CScriptRunner::SavePicture(const std::string& name)
{
    const HWND front = Front();
    const wndtest::WindowImage image = wndtest::GrabWindow(front);
    if (image.width == 0 || !wndtest::SaveWindowPng(front, (m_place.pngDir / name).string())) {
        Error("cannot save the picture " + name);
        return;
    }
    m_report.Line("picture " + name + " of " + CRunObserver::WindowName(front) + ", " + std::to_string(image.width) +
                  "x" + std::to_string(image.height));
}

// Points and areas are in client pixels; on a screen above 100 % each covers
// several pixels of the picture: a point reads the one at its middle, an area
// all of its own.
void CScriptRunner::ReportPixels(const Step& step)
{
    const wndtest::WindowImage image = wndtest::GrabWindow(Front());
    const CRect rect = step.kind == StepKind::Pixel ? CRect(step.x, step.y, step.x + 1, step.y + 1)
                                                    : CRect(step.x, step.y, step.x2, step.y2);
    const int width = UnscaleForDpi(image.width, image.dpi, false);
    const int height = UnscaleForDpi(image.height, image.dpi, false);
    if (rect.left < 0 || rect.top < 0 || rect.right > width || rect.bottom > height) {
        Error(CRunObserver::WindowName(Front()) + " is " + std::to_string(width) + "x" + std::to_string(height) +
              ": the point is outside it");
        return;
    }
    const std::string at = std::to_string(rect.left) + "," + std::to_string(rect.top);
    if (step.kind == StepKind::Pixel) {
        const int x = static_cast<int>((2 * step.x + 1) * image.dpi / (2 * USER_DEFAULT_SCREEN_DPI));
        const int y = static_cast<int>((2 * step.y + 1) * image.dpi / (2 * USER_DEFAULT_SCREEN_DPI));
        m_report.Line("pixel " + at + ": " + Rgb(image.At(x, y)));
        return;
    }
    const CRect device(ScaleForDpi(rect.left, image.dpi), ScaleForDpi(rect.top, image.dpi),
        ScaleForDpi(rect.right, image.dpi), ScaleForDpi(rect.bottom, image.dpi));
    char digest[16];
    std::snprintf(digest, sizeof digest, "%08x", Fingerprint(image, device));
    m_report.Line("look " + at + " to " + std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ": " +
                  digest);
}

void CScriptRunner::ExecuteFiles(const Step& step)
{
    if (auto error = ApplyFileSetup(step, m_place.folder, m_place.scriptFolder)) {
        Error(*error);
    }
}

void CScriptRunner::OutputLost()
{
    static bool stopping = false;
    if (stopping) {
        return;
    }
    stopping = true;
    std::fprintf(stderr, "kx-run: the report cannot be written any more: stopped\n");
    Finish(kReportLost);
}
