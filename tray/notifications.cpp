// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/notifications.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "settings/dpi_tables.h"
#include "settings/settings_state.h"

namespace {

using Slot = std::u16string MainWindowStrings::*;

struct DetailText {
    LPARAM detail;
    Slot slot;
};

constexpr std::array kReportRateTexts = {
    DetailText{1, &MainWindowStrings::strRate1000},
    DetailText{2, &MainWindowStrings::strRate500},
    DetailText{4, &MainWindowStrings::strRate250},
    DetailText{8, &MainWindowStrings::strRate125},
};

constexpr std::array kDpiStageTexts = {
    DetailText{1, &MainWindowStrings::strDpiStage1},
    DetailText{2, &MainWindowStrings::strDpiStage2},
    DetailText{3, &MainWindowStrings::strDpiStage3},
    DetailText{4, &MainWindowStrings::strDpiStage4},
};

constexpr std::array kKeyMatrixTexts = {
    DetailText{1, &MainWindowStrings::strKeyMatrix1},
    DetailText{2, &MainWindowStrings::strKeyMatrix2},
};

template <std::size_t N>
const DetailText* Find(const std::array<DetailText, N>& table, LPARAM detail)
{
    for (const DetailText& entry : table) {
        if (entry.detail == detail) {
            return &entry;
        }
    }
    return nullptr;
}

Balloon SettingBalloon(std::u16string text)
{
    return Balloon{std::move(text), kInfoTitle, kSettingBalloonTimeout};
}

// The detail as the C runtime's "%d" prints it: the low 32 bits, signed.
std::u16string DecimalText(LPARAM detail)
{
    char digits[16] = {};
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(static_cast<std::int32_t>(detail)));
    return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

std::optional<Balloon> DpiStageBalloon(const MainWindowStrings& strings, LPARAM detail)
{
    const DetailText* entry = Find(kDpiStageTexts, detail);
    if (entry == nullptr) {
        return std::nullopt;
    }
    const std::uint8_t position = g_settingsRecord.dpiStageIndex[detail - 1];
    return SettingBalloon(strings.*(entry->slot) + std::u16string(DpiValueTextOfPosition(position)));
}

}  // namespace

std::optional<Balloon> BalloonForNotification(const MainWindowStrings& strings, WPARAM code, LPARAM detail)
{
    switch (code) {
    case kNotifyReportRate:
        if (const DetailText* entry = Find(kReportRateTexts, detail)) {
            return SettingBalloon(strings.*(entry->slot));
        }
        return std::nullopt;
    case kNotifyDpiStage:
        return DpiStageBalloon(strings, detail);
    case kNotifyKeyMatrix:
        if (const DetailText* entry = Find(kKeyMatrixTexts, detail)) {
            return SettingBalloon(strings.*(entry->slot));
        }
        return std::nullopt;
    case kNotifyMacroKey:
        if (detail == 0) {
            return std::nullopt;
        }
        return SettingBalloon(strings.strMacroKeySwitch + DecimalText(detail));
    case kNotifyMouseFound:
        return Balloon{strings.strMouseFound, kInfoTitle, kMouseBalloonTimeout};
    case kNotifyMouseNotFound:
        return Balloon{strings.strMouseNotFound, kWarningTitle, kMouseBalloonTimeout};
    default:
        return std::nullopt;
    }
}
