// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/show.h"

#include <sstream>
#include "ctl/toml.h"

#include "ctl/profile_names.h"
#include "settings/settings_words.h"
#include "platform/str_conv.h"
#include "settings/image_encoding.h"

namespace {

std::string Unknown(unsigned code) { return "unknown (code " + std::to_string(code) + ")"; }

std::string RateText(const SettingsRecord& record)
{
    const auto hz = ReportRateHz(record.reportInterval);
    return hz ? std::to_string(*hz) + " Hz" : Unknown(record.reportInterval);
}

std::string DpiTextOr(std::uint8_t dpiTable, std::uint8_t position)
{
    const auto text = DpiText(dpiTable, position);
    return text ? Utf16ToUtf8(*text) : Unknown(position);
}

std::string SnipeText(const SettingsView& view)
{
    const std::uint8_t code = view.record.snipeDpiCode;
    if (code == 0) {
        return std::string(kNoneName);
    }
    const auto position = (code & 0x80) ? std::nullopt : DpiPositionOfCode(view.dpiTable, code);
    return position ? DpiTextOr(view.dpiTable, *position) : Unknown(code);
}

std::string SlotText(const SettingsView& view, std::size_t keySet, std::size_t slot, Language language)
{
    const SettingsRecord& record = view.record;
    const std::size_t i = SlotIndex(keySet, slot);
    const SlotWords words = SlotInWords(record, keySet, slot, language, view.dpiTable);
    if (words.function.empty()) {
        return Unknown(record.buttonFunction[i]);
    }
    std::string text = Utf16ToUtf8(words.function);
    switch (record.buttonFunction[i]) {
    case kFunctionFireKey:
        return text + ": " + (words.detail.empty() ? Unknown(record.fireKeyCode[i]) : Utf16ToUtf8(words.detail)) +
               ", repeat " + std::to_string(record.fireRepeatCount[i]) +
               ", press " + std::to_string(record.fireMakeTime) + ", release " + std::to_string(record.fireBreakTime);
    case kFunctionSnipeKey:
        return text + ": " + Utf16ToUtf8(words.detail) + " DPI";
    case kFunctionSingleKey:
        if (words.detail.empty()) {
            return text + ": " + Unknown(record.singleKeyCode[i]);
        }
        [[fallthrough]];
    default:
        return words.detail.empty() ? text : text + ": " + Utf16ToUtf8(words.detail);
    }
}

std::string LightingText(const SettingsView& view)
{
    const SettingsRecord& record = view.record;
    std::string text = "mode " + std::to_string(record.ledMode);
    if (record.ledMode == 1) {
        text += ", parameter " + std::to_string(record.modeOneParameter);
    } else if (record.ledMode == 2) {
        text += ", parameter " + std::to_string(record.modeTwoParameter);
    }
    if (!view.fromMouse) {
        text += " (mode 1 parameter " + std::to_string(record.modeOneParameter) + ", mode 2 parameter " +
                std::to_string(record.modeTwoParameter) + ")";
    }
    return text;
}

}  // namespace

std::string ShowText(const SettingsView& view, Language language)
{
    const SettingsRecord& record = view.record;
    std::ostringstream out;
    out << "source: " << (view.fromMouse ? "mouse" : "settings files") << "\n"
        << "report rate: " << RateText(record) << "\n";
    if (!view.fromMouse) {
        out << "active key set: " << int{record.keySetSelector} + 1 << "\n";
    }
    out << "DPI table: " << int{view.dpiTable} << "\n";
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        out << "DPI stage " << stage + 1 << ": " << DpiTextOr(view.dpiTable, record.dpiStageIndex[stage]) << " DPI, "
            << (record.dpiStageEnabled[stage] ? "enabled" : "disabled") << "\n";
    }
    out << "snipe DPI: " << SnipeText(view) << "\n"
        << "fire key times: press " << int{record.fireMakeTime} << ", release " << int{record.fireBreakTime} << "\n"
        << "lighting: " << LightingText(view) << "\n";
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        out << "key set " << keySet + 1 << ":\n";
        for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
            out << "  button " << slot + 1 << ": " << SlotText(view, keySet, slot, language) << "\n";
        }
    }
    return out.str();
}
