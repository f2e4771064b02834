#pragma once

#include "settings/settings_record.h"

// The process-wide settings record (what the pages show and edit) and the
// applied copy (the record as last loaded or applied; Exit restores it).
extern SettingsRecord g_settingsRecord;
extern SettingsRecord g_appliedCopy;

void CopyRecordToAppliedCopy();
void CopyAppliedCopyToRecord();

// What the user gets after confirming the key-recover dialog; every field
// not listed in the routine keeps its value.
void SetKeyRecoverDefaults(SettingsRecord& record);
