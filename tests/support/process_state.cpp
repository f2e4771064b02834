// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/process_state.h"

#include "device/device_link.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/exe_path.h"
#include "settings/settings_state.h"

void ResetProgramState()
{
    CloseDeviceHandles(g_deviceLink);
    g_deviceLink = DeviceLink{};
    g_settingsRecord = SettingsRecord{};
    g_appliedCopy = SettingsRecord{};
    ClearDeviceImage();
    DpiTableSet = 0;
}

void ResetProcessState()
{
    ResetProgramState();
    SetModulePathForTesting(std::nullopt);
    ResetPlatformState();
}
