// SPDX-License-Identifier: GPL-3.0-or-later
// kx-507-ctl doctor. Each check prints one finding: [ok], [problem] with the
// fix on the lines below it, or [note] for what does not keep the mouse from
// working. Only problems with the mouse itself make the exit status non-zero.

#include "ctl/doctor.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "ctl/commands.h"
#include "ctl/exit_status.h"
#include "ctl/shipped_udev_rule.h"
#include "device/device_link.h"
#include "device/hid_survey.h"
#include "platform/desktop_probe.h"
#include "platform/services/device_node.h"
#include "platform/str_conv.h"

namespace {

// Where udev reads rules from, the first taking precedence over the others
// for a file of the same name.
constexpr const char* kUdevRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
                                            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
// The same variable scripts/install-udev-rule.sh takes: one folder instead.
constexpr const char* kRuleFolderVariable = "KX_UDEV_RULES_DIR";
constexpr const char* kRuleFix =
    "install the package, or run scripts/install-udev-rule.sh from the source folder (it asks for\n"
    "root when needed); then unplug the mouse and plug it in again.";

enum class Role { Command, Data, Other };

struct MouseCollection {
    std::string node;  // the device node, empty where the backend has none
    HIDP_CAPS caps{};
    Role role = Role::Other;
};

class Findings {
public:
    void Ok(const std::string& text) { std::printf("[ok] %s\n", text.c_str()); }
    void Note(const std::string& text) { std::printf("[note] %s\n", text.c_str()); }
    void Problem(const std::string& text, const std::string& fix, bool keepsMouseFromWorking)
    {
        std::string indented;
        for (const char c : fix) {
            indented += c == '\n' ? std::string("\n       ") : std::string(1, c);
        }
        std::printf("[problem] %s\n  fix: %s\n", text.c_str(), indented.c_str());
        blocking += keepsMouseFromWorking ? 1 : 0;
    }
    int blocking = 0;
};

// The interface paths of the Linux backend name the node between their
// second and third '#': \\?\HID#VID_04D9&PID_A09E&Col01#hidraw3#{...}.
std::string DeviceNodeOf(const std::u16string& path)
{
    const std::string text = Utf16ToUtf8(path);
    const std::size_t first = text.find('#');
    const std::size_t second = first == std::string::npos ? first : text.find('#', first + 1);
    const std::size_t third = second == std::string::npos ? second : text.find('#', second + 1);
    if (third == std::string::npos) {
        return {};
    }
    const std::string name = text.substr(second + 1, third - second - 1);
    if (name.rfind("hidraw", 0) != 0 || name.find('/') != std::string::npos) {
        return {};
    }
    return "/dev/" + name;
}

Role RoleOf(const HIDP_CAPS& caps)
{
    if (caps.UsagePage == kGenericDesktopPage && caps.Usage == kCommandUsage &&
        caps.FeatureReportByteLength == kCommandFeatureLength) {
        return Role::Command;
    }
    if (caps.UsagePage == kGenericDesktopPage && caps.Usage == kDataUsage &&
        caps.FeatureReportByteLength == kDataFeatureLength) {
        return Role::Data;
    }
    return Role::Other;
}

std::string Describe(const MouseCollection& collection)
{
    char text[160];
    static const char* const kRoles[] = {"the command collection", "the data collection", "not used"};
    std::snprintf(text, sizeof(text), "%s: usage page %u, usage %u, feature report %u bytes (%s)",
                  collection.node.empty() ? "(no device node)" : collection.node.c_str(), collection.caps.UsagePage,
                  collection.caps.Usage, collection.caps.FeatureReportByteLength,
                  kRoles[static_cast<int>(collection.role)]);
    return text;
}

std::vector<MouseCollection> CheckMouse(Findings& findings)
{
    std::vector<MouseCollection> mouse;
    std::size_t unreadable = 0;
    for (const SurveyedCollection& surveyed : SurveyHidCollections()) {
        unreadable += surveyed.probed ? 0 : 1;
        if (surveyed.probed && surveyed.attributes.VendorID == kMouseVendorId &&
            surveyed.attributes.ProductID == kMouseProductId && surveyed.haveCaps) {
            mouse.push_back({DeviceNodeOf(surveyed.path), surveyed.caps, RoleOf(surveyed.caps)});
        }
    }
    if (mouse.empty()) {
        findings.Problem("no KX-507 (USB 04d9:a09e) is among the HID devices" +
                             std::string(unreadable ? " (" + std::to_string(unreadable) +
                                                          " HID interfaces could not be asked who they are)"
                                                    : ""),
                         "plug the mouse in, directly rather than through a hub or switch; if it is plugged in,\n"
                         "try another USB port. `lsusb` lists it as 04d9:a09e once the kernel sees it.",
                         true);
        return mouse;
    }
    bool command = false;
    bool data = false;
    for (const MouseCollection& collection : mouse) {
        command = command || collection.role == Role::Command;
        data = data || collection.role == Role::Data;
    }
    std::string list;
    for (const MouseCollection& collection : mouse) {
        list += "\n      " + Describe(collection);
    }
    if (command && data) {
        findings.Ok("the KX-507 is there, with its command and data collections:" + list);
    } else {
        findings.Problem(std::string("the KX-507 is there, but without its ") + (command ? "data" : "command") +
                             " collection:" + list,
                         "unplug the mouse and plug it in again; if that does not help, the kernel's HID driver\n"
                         "presents it in a way this program does not know.",
                         true);
    }
    return mouse;
}

std::string ModeText(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof(text), "%04o", mode);
    return text;
}

std::set<std::string> UsedNodes(const std::vector<MouseCollection>& mouse)
{
    std::set<std::string> nodes;
    for (const MouseCollection& collection : mouse) {
        if (collection.role != Role::Other && !collection.node.empty()) {
            nodes.insert(collection.node);
        }
    }
    return nodes;
}

void CheckAccess(Findings& findings, const std::string& node, const DeviceNodeStatus& status)
{
    const std::string facts = "owner " + status.owner + ", group " + status.group + ", mode " +
                              ModeText(status.mode) + (status.hasAcl ? ", with an access list" : ", no access list");
    if (!status.exists) {
        findings.Problem(node + " has gone (" + ErrorText(status.openError) + ")",
                         "unplug the mouse and plug it in again.", true);
    } else if (status.openError == 0) {
        findings.Ok("you may open " + node + " (" + facts + ")");
    } else {
        findings.Problem("you may not open " + node + ": " + ErrorText(status.openError) + " (" + facts + ")",
                         std::string("the udev rule gives the user logged in at the seat access through an access "
                                     "list:\n") + kRuleFix,
                         true);
    }
}

void CheckHolders(Findings& findings, const std::string& node, const DeviceNodeStatus& status)
{
    if (!status.exists) {
        return;
    }
    if (status.holders.empty()) {
        findings.Ok("no other program has " + node + " open (of the processes you may see)");
        return;
    }
    for (const DeviceNodeHolder& holder : status.holders) {
        const std::string who = holder.name + " (process " + std::to_string(holder.pid) + ")";
        if (holder.name == "KX-507") {
            findings.Note(who + " has " + node + " open");
        } else {
            findings.Problem(who + " has " + node + " open: reports it sends could mix with this program's",
                             "end " + holder.name + " while you configure the mouse.", false);
        }
    }
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CheckRule(Findings& findings)
{
    std::vector<std::string> folders;
    if (const char* folder = std::getenv(kRuleFolderVariable); folder && *folder) {
        folders.emplace_back(folder);
    } else {
        folders.assign(std::begin(kUdevRuleFolders), std::end(kUdevRuleFolders));
    }
    for (const std::string& folder : folders) {
        const std::filesystem::path rule = std::filesystem::path(folder) / kShippedUdevRuleName;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(rule, ec)) {
            continue;
        }
        if (ReadText(rule) == kShippedUdevRule) {
            findings.Ok("the udev rule " + rule.string() + " is installed, as this version ships it");
        } else {
            findings.Problem("the udev rule " + rule.string() + " differs from the one this version ships", kRuleFix,
                             false);
        }
        return;
    }
    std::string looked;
    for (const std::string& folder : folders) {
        looked += (looked.empty() ? "" : ", ") + folder;
    }
    findings.Problem(std::string("the udev rule ") + kShippedUdevRuleName + " is not installed (looked in " + looked +
                         "); without it only root may open the mouse",
                     kRuleFix, false);
}

void CheckDesktop(Findings& findings)
{
    findings.Note(ProgramIsRunning() ? "KX-507 is running" : "KX-507 is not running");
    const DesktopServices desktop = ProbeDesktop();
    if (!desktop.waylandDisplay.empty()) {
        findings.Note("a Wayland session (" + desktop.waylandDisplay + ")" +
                      (desktop.x11Display.empty() ? "" : ", with X11 programs on " + desktop.x11Display));
    } else if (!desktop.x11Display.empty()) {
        findings.Note("an X11 session (" + desktop.x11Display + ")");
    } else {
        findings.Note("no desktop session here (neither WAYLAND_DISPLAY nor DISPLAY is set)");
        return;
    }
    if (!desktop.sessionBus) {
        findings.Problem("no session bus: the tray icon and notifications cannot be shown",
                         "run KX-507 from your desktop session rather than from a plain terminal login.", false);
        return;
    }
    if (desktop.statusNotifierWatcher && desktop.statusNotifierHost) {
        findings.Ok("a notification area is there (StatusNotifier watcher with a tray showing its icons)");
    } else if (desktop.xembedTray) {
        findings.Ok("a notification area is there (an X11 tray)");
    } else {
        findings.Problem("no notification area: KX-507 opens its window at start-up instead of an icon",
                         "on GNOME, turn on the AppIndicator extension (gnome-shell-extension-appindicator);\n"
                         "other desktops: add a system tray to the panel.",
                         false);
    }
    if (desktop.notifications) {
        findings.Ok("a notifications service is there (org.freedesktop.Notifications)");
    } else {
        findings.Problem("no notifications service: warnings such as \"mouse not detected\" show nowhere",
                         "start your desktop's notification daemon (a desktop environment has one; on a bare\n"
                         "window manager, install and start one such as dunst or mako).",
                         false);
    }
}

}  // namespace

int RunDoctor()
{
    Findings findings;
    const std::vector<MouseCollection> mouse = CheckMouse(findings);
    for (const std::string& node : UsedNodes(mouse)) {
        const DeviceNodeStatus status = InspectDeviceNode(node);
        CheckAccess(findings, node, status);
        CheckHolders(findings, node, status);
    }
    CheckRule(findings);
    CheckDesktop(findings);
    if (findings.blocking == 0) {
        std::printf("The mouse can be used.\n");
        return kExitOk;
    }
    std::printf("The mouse cannot be used: see the problems above.\n");
    return kExitMouseNotFound;
}
