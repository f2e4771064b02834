// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a record as a profile. Every value is looked up in the vocabulary
// it comes from; a value the window never produces stops the writing with
// the field's name, so that no profile holds what an import would refuse.

#include <sstream>
#include "ctl/toml.h"

#include "ctl/profile.h"
#include "ctl/profile_names.h"
#include "ctl/settings_words.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"

namespace {

struct Unwritable {
    std::string message;
};

std::string Quoted(std::string_view text)
{
    std::ostringstream out;
    out << toml::value<std::string>(std::string(text));
    return out.str();
}

template <typename T>
T Must(std::optional<T> value, std::string_view field, unsigned raw)
{
    if (!value) {
        throw Unwritable{std::string(field) + " holds " + std::to_string(raw) + ", which no profile can express"};
    }
    return *value;
}

std::int64_t Among(std::int64_t value, std::initializer_list<std::int64_t> allowed, std::string_view field)
{
    const std::vector<std::int64_t> list(allowed);
    return list[Must(IndexOf(list, value), field, static_cast<unsigned>(value))];
}

std::string DpiValueAt(std::uint8_t dpiTable, std::uint8_t position, std::string_view field)
{
    const auto values = DpiValues(dpiTable);
    return std::to_string(values[Must(position < values.size() ? std::optional(position) : std::nullopt, field,
                                      position)]);
}

std::string SnipeCode(const SettingsRecord& record, std::uint8_t dpiTable)
{
    if (record.snipeDpiCode == 0) {
        return Quoted(kNoneName);
    }
    const bool enabledCode = (record.snipeDpiCode & 0x80) == 0;
    const auto position = enabledCode ? DpiPositionOfCode(dpiTable, record.snipeDpiCode) : std::nullopt;
    return DpiValueAt(dpiTable, Must(position, "snipeDpiCode", record.snipeDpiCode), "snipeDpiCode");
}

void WriteHeader(std::ostream& out, const SettingsRecord& record, std::uint8_t dpiTable)
{
    out << "# KX-507 settings profile. Every key is required; the comments name the values allowed.\n"
        << "version = " << kProfileVersion << "\n\n"
        << "# The mouse's DPI table, which the DPI values below are taken from: 0, 1, 2 or 3.\n"
        << "dpi_table = " << int{dpiTable} << "\n"
        << "# Report rate in Hz: 125, 250, 500 or 1000.\n"
        << "report_rate = " << Must(ReportRateHz(record.reportInterval), "reportInterval", record.reportInterval)
        << "\n# The key set the left-click rule looks at: 1 or 2.\n"
        << "active_key_set = " << Among(record.keySetSelector, {0, 1}, "keySetSelector") + 1 << "\n\n"
        << "[lighting]\n# Lighting mode: 0, 1 or 2.\n"
        << "mode = " << Among(record.ledMode, {0, 1, 2}, "ledMode") << "\n"
        << "# Parameter of mode 1: 10, 5 or 1.\n"
        << "mode_1_parameter = " << Among(record.modeOneParameter, {10, 5, 1}, "modeOneParameter") << "\n"
        << "# Parameter of mode 2: 5, 3 or 1.\n"
        << "mode_2_parameter = " << Among(record.modeTwoParameter, {5, 3, 1}, "modeTwoParameter") << "\n\n";
}

void WriteDpi(std::ostream& out, const SettingsRecord& record, std::uint8_t dpiTable)
{
    out << "[dpi]\n# DPI of stages 1 to 4, one of: " << Listed(DpiValues(dpiTable)) << ".\nstages = [";
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        out << (stage ? ", " : "") << DpiValueAt(dpiTable, record.dpiStageIndex[stage], "dpiStageIndex");
    }
    out << "]\n# Whether each stage is in the mouse's cycle: true or false.\nenabled = [";
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        const bool enabled = Among(record.dpiStageEnabled[stage], {0, 1}, "dpiStageEnabled") != 0;
        out << (stage ? ", " : "") << (enabled ? "true" : "false");
    }
    out << "]\n# DPI of every Snipe Key: one of the DPI values, or \"none\".\n"
        << "snipe = " << SnipeCode(record, dpiTable) << "\n\n"
        << "[fire]\n# Press and release time of every Fire Key: 5 to 255.\n"
        << "press_time = " << Must(record.fireMakeTime >= 5 ? std::optional(int{record.fireMakeTime}) : std::nullopt,
                                   "fireMakeTime", record.fireMakeTime)
        << "\nrelease_time = "
        << Must(record.fireBreakTime >= 5 ? std::optional(int{record.fireBreakTime}) : std::nullopt, "fireBreakTime",
                record.fireBreakTime)
        << "\n\n";
}

void WriteVocabularyComment(std::ostream& out, std::uint8_t dpiTable)
{
    out << "# Each button has a function and keeps the details of the functions a dialog completes:\n"
        << "#   function:    " << Listed(FunctionNames()) << "\n"
        << "#   windows:     " << Listed(WindowsNames()) << "\n"
        << "#   multimedia:  " << Listed(MultimediaNames()) << "\n"
        << "#   hot_key:     " << Listed(HotKeyNames()) << "\n"
        << "#   fire_key:    none, " << Listed(FireKeyNames()) << "\n"
        << "#   fire_repeat: 0 to 127 (0: repeat until the button is let go)\n"
        << "#   single_key:  none, " << Listed(SingleKeyNames()) << "\n"
        << "#   snipe:       " << Listed(DpiValues(dpiTable)) << "\n\n";
}

std::string FireKeyOf(const SettingsRecord& record, std::size_t i)
{
    const std::uint8_t position = record.fireKeyIndex[i];
    if (position == 0 && record.fireKeyCode[i] == kKeyNone && record.buttonFunction[i] != kFunctionFireKey) {
        return std::string(kNoneName);
    }
    const bool consistent = position < kFireKeyCount && FireKeyCodeFromIndex(position) == record.fireKeyCode[i];
    return FireKeyNames()[Must(consistent ? std::optional(position) : std::nullopt, "fireKeyIndex", position)];
}

std::string SingleKeyOf(const SettingsRecord& record, std::size_t i)
{
    const std::uint8_t code = record.singleKeyCode[i];
    return code == kKeyNone ? std::string(kNoneName) : std::string(Must(KeyNameOfCode(code), "singleKeyCode", code));
}

template <typename T>
std::string NameAt(const NameList& names, T position, std::string_view field)
{
    return names[Must(position < names.size() ? std::optional(std::size_t{position}) : std::nullopt, field, position)];
}

void WriteSlot(std::ostream& out, const SettingsRecord& record, std::size_t keySet, std::size_t slot,
               std::uint8_t dpiTable)
{
    const std::size_t i = SlotIndex(keySet, slot);
    out << "[key_set_" << keySet + 1 << ".button_" << slot + 1 << "]\n"
        << "function = " << Quoted(NameAt(FunctionNames(), record.buttonFunction[i], "buttonFunction")) << "\n"
        << "windows = " << Quoted(NameAt(WindowsNames(), record.windowsIndex[i], "windowsIndex")) << "\n"
        << "multimedia = " << Quoted(NameAt(MultimediaNames(), record.mediaIndex[i], "mediaIndex")) << "\n"
        << "hot_key = " << Quoted(NameAt(HotKeyNames(), record.hotKeyIndex[i], "hotKeyIndex")) << "\n"
        << "fire_key = " << Quoted(FireKeyOf(record, i)) << "\n"
        << "fire_repeat = "
        << Must(record.fireRepeatCount[i] <= 127 ? std::optional(int{record.fireRepeatCount[i]}) : std::nullopt,
                "fireRepeatCount", record.fireRepeatCount[i])
        << "\n"
        << "single_key = " << Quoted(SingleKeyOf(record, i)) << "\n"
        << "snipe = " << DpiValueAt(dpiTable, record.snipeIndex[i], "snipeIndex") << "\n\n";
}

}  // namespace

ProfileText WriteProfile(const SettingsRecord& record, std::uint8_t dpiTable)
{
    if (dpiTable >= kDpiTableCount) {
        return {{}, ProfileError{0, "DPI table " + std::to_string(dpiTable) + " is not one of 0, 1, 2, 3"}};
    }
    std::ostringstream out;
    try {
        WriteHeader(out, record, dpiTable);
        WriteDpi(out, record, dpiTable);
        WriteVocabularyComment(out, dpiTable);
        for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
            for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
                WriteSlot(out, record, keySet, slot, dpiTable);
            }
        }
    } catch (const Unwritable& unwritable) {
        return {{}, ProfileError{0, unwritable.message}};
    }
    return {out.str(), std::nullopt};
}

std::string FormatProfileError(std::string_view file, const ProfileError& error)
{
    std::string text(file);
    if (error.line > 0) {
        text += ":" + std::to_string(error.line);
    }
    return text + ": " + error.message;
}
