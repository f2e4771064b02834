// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/apply.h"

#include "device/transfer.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/settings_state.h"

ApplyOutcome ApplySettings(HWND owner, const ApplyTargets& targets)
{
    ApplyOutcome outcome;
    EncodeRecordIntoImage(g_settingsRecord, DpiTableSet, g_deviceImage);
    outcome.written = WriteDeviceConfiguration(owner, targets.mouseNotFound) != FALSE;
    outcome.settingsSaved = SaveSettingsFile(owner, targets.paths.settingsFile, g_settingsRecord);
    outcome.labelsSaved = SaveLabels(targets.paths.labelFile, targets.labelSection, targets.labels);
    return outcome;
}
