#include "mainwnd/apply.h"

#include "device/transfer.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/settings_state.h"

void ApplySettings(HWND owner, const ApplyTargets& targets)
{
    EncodeRecordIntoImage(g_settingsRecord, DpiTableSet, g_deviceImage);
    WriteDeviceConfiguration(owner, targets.mouseNotFound);
    SaveSettingsFile(owner, targets.paths.settingsFile, g_settingsRecord);
    SaveLabels(targets.paths.labelFile, targets.labelSection, targets.labels);
}
