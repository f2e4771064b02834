// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/exit_button.h"

#include "mainwnd/vantor_dlg.h"
#include "platform/winuser.h"
#include "settings/settings_state.h"

void CVantorDlg::ExitToTray()
{
    CopyAppliedCopyToRecord();
    m_reshowRefresh = true;
    ShowWindow(SW_HIDE);
}
