// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/apply_button.h"

#include "device/apply.h"
#include "mainwnd/vantor_dlg.h"
#include "settings/settings_state.h"

void CVantorDlg::ApplyToMouse()
{
    ApplySettings(m_hWnd, ApplyTargets{m_strings.strMouseNotFound, m_paths, m_strings.strSettingsSection,
                              m_keyPage.Labels()});
    CopyRecordToAppliedCopy();
}
