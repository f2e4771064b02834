// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/apply.h"

#include "settings/image_encoding.h"

ApplyOutcome ApplySettings(const ApplyTargets& targets)
{
    ApplyOutcome outcome;
    EncodeRecordIntoImage(targets.record, targets.dpiTableSet, targets.mouse.image);
    outcome.written = WriteDeviceConfiguration(targets.link, targets.mouse.image, targets.mouse.fromMouse);
    outcome.settingsSaved = SaveSettingsFile(targets.paths.settingsFile, targets.record);
    outcome.labelsSaved = SaveLabels(targets.paths.labelFile, targets.labelSection, targets.labels);
    return outcome;
}
