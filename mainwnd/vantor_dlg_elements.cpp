// SPDX-License-Identifier: GPL-3.0-or-later
// The presses of the main window's own elements (CVantorDlg::kOwnElements).

#include "device/apply.h"
#include "mainwnd/outcome_box.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/services/process.h"
#include "platform/services/shell.h"
#include "platform/winuser.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"

namespace {

constexpr char16_t kOpenVerb[] = u"open";

}  // namespace

bool CVantorDlg::ApplyToMouse(const OwnElement&)
{
    const ApplyOutcome outcome =
        ApplySettings(ApplyTargets{g_settingsRecord, DpiTableSet, g_deviceLink, {g_deviceImage, g_deviceImageFromMouse},
                                   m_paths, m_strings.strSettingsSection, m_keyPage.Labels()});
    ShowOutcome(m_hWnd, outcome.written, m_strings.strMouseNotFound);
    ShowOutcome(m_hWnd, outcome.settingsSaved, m_strings.strMouseNotFound);
    CopyRecordToAppliedCopy();
    return true;
}

bool CVantorDlg::ExitToTray(const OwnElement&)
{
    CopyAppliedCopyToRecord();
    m_reshowRefresh = true;
    ShowWindow(SW_HIDE);
    return true;
}

bool CVantorDlg::MinimiseToTray(const OwnElement&)
{
    ShowWindow(SW_HIDE);
    return false;
}

// The destruction clean-up, then the process ends with exit code 0 at once.
bool CVantorDlg::CloseProgram(const OwnElement&)
{
    CleanUp();
    ExitProcess(0);
}

// The address is the same in every language's tables.
bool CVantorDlg::OpenWebSite(const OwnElement&)
{
    ShellExecuteW(m_hWnd, kOpenVerb, m_strings.strWebSite.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return false;
}

bool CVantorDlg::ShowTab(const OwnElement& tab)
{
    DrawPage(tab.page);
    return true;
}
