// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands that talk to the mouse: `apply` and `show --from-mouse`.
// They run the program's own discovery, transfers and Apply; what the window
// would say of a failure in a message box becomes a line on standard error.

#include <cstdio>

#include "lang/main_strings.h"
#include "ctl/commands.h"
#include "ctl/exit_status.h"
#include "ctl/image_view.h"
#include "platform/mouse_state.h"
#include "settings/settings_words.h"
#include "device/apply.h"
#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"
#include "platform/module.h"
#include "platform/str_conv.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"

namespace {


// A message-box text as a line on standard error, under its caption.
void SayLine(std::u16string_view caption, std::u16string_view text)
{
    std::string line = Utf16ToUtf8(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) {
        line.pop_back();
    }
    std::fprintf(stderr, "kx-507-ctl: %s: %s\n", Utf16ToUtf8(caption).c_str(), line.c_str());
}

// What a failure tells the user, as the window's message box says it: a line
// on standard error under the box's caption.
void SayOutcome(const Outcome& outcome, std::u16string_view mouseNotFound)
{
    const OutcomeMessage message = MessageOf(outcome, mouseNotFound);
    if (message.said) {
        SayLine(message.caption.empty() ? ApplicationName() : message.caption, message.text);
    }
}

std::u16string MouseNotFoundText(Language language)
{
    return std::u16string(MainWindowText(&MainWindowStrings::strMouseNotFound).In(language));
}

// Discovery and the read the program does at start-up, with its messages:
// the device image and DpiTableSet as the window would have them.
int ReadMouse(Language language)
{
    RestoreMouseState();
    const std::u16string mouseNotFound = MouseNotFoundText(language);
    const Outcome found = Discover(g_deviceLink);
    SayOutcome(found, mouseNotFound);
    if (!found.Done()) {
        SayLine(kWarningCaption, mouseNotFound);
        return kExitMouseNotFound;
    }
    g_deviceLink.devicePresent = 1;
    g_deviceLink.deviceOpened = 1;
    const Outcome read = RefreshDeviceImage(g_deviceLink, {g_deviceImage, g_deviceImageFromMouse}, DpiTableSet);
    SayOutcome(read, mouseNotFound);
    if (!read.Done()) {
        return kExitMouseTransfer;
    }
    return kExitOk;
}

// The first run's defaults, as the key page gives them before the first
// Apply: the function tables in the image, stages 1 to 3 on, default labels.
void FirstRunDefaults(SlotLabels& labels, Language language)
{
    SetFirstRunDefaults(g_settingsRecord, g_deviceImage);
    MainWindowStrings strings;
    FillMainWindowStrings(strings, language);
    SetDefaultLabels(labels, strings);
}

int StatusOf(const ApplyOutcome& outcome)
{
    if (!outcome.written.Done()) {
        return kExitMouseTransfer;
    }
    return outcome.settingsSaved.Done() && outcome.labelsSaved ? kExitOk : kExitWriteFailed;
}

}  // namespace

int RunApply(const SettingsFolder& folder)
{
    if (ProgramIsRunning()) {
        return RefuseWhileProgramRuns("apply");
    }
    std::string error;
    const auto content = ReadSettingsFile(folder, error);
    if (!content) {
        std::fprintf(stderr, "kx-507-ctl: %s\n", error.c_str());
        return kExitSettingsFiles;
    }
    g_settingsRecord = content->record;
    SlotLabels labels;
    LoadLabels(folder.paths.labelFile, folder.labelSection, labels);
    if (const int status = ReadMouse(folder.language); status != kExitOk) {
        CloseDeviceHandles(g_deviceLink);
        return status;
    }
    if (content->firstRunFlag == 0) {
        FirstRunDefaults(labels, folder.language);
    }
    const std::u16string mouseNotFound = MouseNotFoundText(folder.language);
    const ApplyOutcome outcome =
        ApplySettings(ApplyTargets{g_settingsRecord, DpiTableSet, g_deviceLink, {g_deviceImage, g_deviceImageFromMouse},
                                   folder.paths, folder.labelSection, labels});
    SayOutcome(outcome.written, mouseNotFound);
    SayOutcome(outcome.settingsSaved, mouseNotFound);
    if (outcome.written.Done()) {
        KeepMouseState();
    }
    CloseDeviceHandles(g_deviceLink);
    return StatusOf(outcome);
}

int RunShowFromMouse(const SettingsFolder& folder, const ShowOptions& options)
{
    // Reading while the program talks to the mouse could mix the two
    // programs' reports, so the mouse is left to it.
    if (ProgramIsRunning()) {
        return RefuseWhileProgramRuns("show --from-mouse");
    }
    const int status = ReadMouse(folder.language);
    CloseDeviceHandles(g_deviceLink);
    if (status != kExitOk) {
        return status;
    }
    const SettingsView view = ViewOfImage(g_deviceImage, DpiTableSet);
    const Language language = options.language.value_or(folder.language);
    const std::string text = options.json ? ShowJson(view) : ShowText(view, language);
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}
