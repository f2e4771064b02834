// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "settings/device_image.h"
#include "settings/settings_record.h"

// The process-wide settings record (what the pages show and edit) and the
// applied copy (the record as last loaded or applied; Exit restores it).
extern SettingsRecord g_settingsRecord;
extern SettingsRecord g_appliedCopy;

void CopyRecordToAppliedCopy();
void CopyAppliedCopyToRecord();

// The factory assignment of each key set's eight slots, as function codes:
// left, right, middle, DPI switch, forward, backward; slots 6 and 7 carry
// "Key Off". The labels Default and the first run show are these codes' names.
inline constexpr std::array<std::uint8_t, kSlotsPerKeySet> kFactoryKeySet = {0, 1, 2, 5, 3, 4, 12, 12};

// What the user gets after confirming the key-recover dialog; every field
// not listed in the routine keeps its value.
void SetKeyRecoverDefaults(SettingsRecord& record);

// Until the first Apply the mouse gets the program's function tables and the
// first three DPI stages are on; the rest of the record stays.
void SetFirstRunDefaults(SettingsRecord& record, DeviceImage& image);
