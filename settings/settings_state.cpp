// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_state.h"

#include <algorithm>
#include <array>
#include <cstdint>

SettingsRecord g_settingsRecord{};
SettingsRecord g_appliedCopy{};

namespace {

constexpr std::array<std::uint8_t, kDpiStageCount> kRecoverStageIndex = {1, 3, 6, 7};
constexpr std::array<std::uint8_t, kDpiStageCount> kRecoverStageEnabled = {1, 1, 1, 1};
constexpr std::uint8_t kRecoverLedMode = 2;
constexpr std::uint8_t kRecoverModeTwoParameter = 3;
constexpr std::uint8_t kRecoverReportInterval = 8;  // 125 Hz
constexpr std::size_t kFirstRunEnabledStages = 3;

}  // namespace

void CopyRecordToAppliedCopy() { g_appliedCopy = g_settingsRecord; }

void CopyAppliedCopyToRecord() { g_settingsRecord = g_appliedCopy; }

void SetKeyRecoverDefaults(SettingsRecord& record)
{
    std::copy(kRecoverStageIndex.begin(), kRecoverStageIndex.end(), record.dpiStageIndex);
    std::copy(kRecoverStageEnabled.begin(), kRecoverStageEnabled.end(), record.dpiStageEnabled);
    record.ledMode = kRecoverLedMode;
    record.modeTwoParameter = kRecoverModeTwoParameter;
    record.reportInterval = kRecoverReportInterval;
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        std::copy(kFactoryKeySet.begin(), kFactoryKeySet.end(), record.buttonFunction + SlotIndex(keySet, 0));
    }
}

void SetFirstRunDefaults(SettingsRecord& record, DeviceImage& image)
{
    WriteDeviceFunctionTables(image);
    for (std::size_t stage = 0; stage < kFirstRunEnabledStages; ++stage) {
        record.dpiStageEnabled[stage] = 1;
    }
}
