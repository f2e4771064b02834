// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/close_button.h"

#include "mainwnd/vantor_dlg.h"
#include "platform/services/process.h"

// The destruction clean-up, then the process ends with exit code 0 at once.
void CVantorDlg::CloseProgram()
{
    CleanUp();
    ExitProcess(0);
}
