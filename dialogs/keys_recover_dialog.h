// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The confirmation asked before the key page is reset to its defaults: Ok
// confirms, Return and Close cancel. It draws nothing but its picture; the
// key page restores the defaults on Ok.

#include "dialogs/assign_dialog.h"

class CKeysRecoverDialog : public CAssignDialog {
public:
    explicit CKeysRecoverDialog(CWnd* parent) : CAssignDialog(kKeysRecoverDialog, parent) {}
};
