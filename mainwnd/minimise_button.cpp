// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/minimise_button.h"

#include "mainwnd/vantor_dlg.h"
#include "platform/winuser.h"

void CVantorDlg::MinimiseToTray()
{
    ShowWindow(SW_HIDE);
}
