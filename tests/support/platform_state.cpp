// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/platform_state.h"

#include "platform/clock.h"
#include "platform/module.h"
#include "platform/msg_box.h"
#include "platform/services/process.h"
#include "platform/services/runtime_folder.h"
#include "platform/services/shell.h"
#include "platform/services/system_info.h"

void ResetPlatformState()
{
    SetMessageBoxPresenter(nullptr);
    SetShellOpener(nullptr);
    SetClock(nullptr);
    SetSystemDefaultLangIdForTesting(std::nullopt);
    SetApplicationNameForTesting(std::nullopt);
    SetRuntimeFolderPlacesForTesting(std::nullopt);
    SetExitProcessHookForTesting(nullptr);
}
