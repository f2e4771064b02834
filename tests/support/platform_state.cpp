// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/platform_state.h"

#include "platform/clock.h"
#include "platform/msg_box.h"
#include "platform/services/shell.h"

void ResetPlatformState()
{
    SetMessageBoxPresenter(nullptr);
    SetShellOpener(nullptr);
    SetClock(nullptr);
}
