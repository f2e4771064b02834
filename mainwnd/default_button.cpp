// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/default_button.h"

#include "mainwnd/page_host.h"
#include "mainwnd/slot_dialogs.h"
#include "platform/winuser.h"
#include "settings/settings_state.h"

bool PressDefault(CAssignmentDialogs& dialogs, IPageHost& host, SlotLabels& labels)
{
    if (dialogs.RunKeysRecoverDialog(host.Window()) != IDOK) {
        return false;
    }
    RestoreFactoryAssignment(g_settingsRecord, labels, host.Texts());
    return true;
}
