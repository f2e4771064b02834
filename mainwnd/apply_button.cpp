// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/apply_button.h"

#include "device/apply.h"
#include "mainwnd/outcome_box.h"
#include "mainwnd/vantor_dlg.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"

void CVantorDlg::ApplyToMouse()
{
    const ApplyOutcome outcome =
        ApplySettings(ApplyTargets{g_settingsRecord, DpiTableSet, g_deviceLink, {g_deviceImage, g_deviceImageFromMouse},
                                   m_paths, m_strings.strSettingsSection, m_keyPage.Labels()});
    ShowOutcome(m_hWnd, outcome.written, m_strings.strMouseNotFound);
    ShowOutcome(m_hWnd, outcome.settingsSaved, m_strings.strMouseNotFound);
    CopyRecordToAppliedCopy();
}
