// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a record as a profile. Every value is looked up in the vocabulary
// it comes from; a value the window never produces stops the writing with
// the field's name, so that no profile holds what an import would refuse.

#include <sstream>
#include "ctl/toml.h"

#include "ctl/profile.h"
#include "ctl/profile_names.h"
#include "settings/settings_words.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/profile_fields.h"

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

std::int64_t ProfileValue(const ProfileField& field, const SettingsRecord& record)
{
    const std::uint8_t byte = record.*field.member;
    return Must(ProfileValueOf(field.range, byte), field.recordName, byte);
}

// The section's keys, each under its comment.
void WriteFields(std::ostream& out, std::string_view section, const SettingsRecord& record)
{
    ForEachFieldOf(section, [&](const ProfileField& field) {
        if (!field.comment.empty()) {
            out << "# " << field.comment << "\n";
        }
        out << field.key << " = " << ProfileValue(field, record) << "\n";
    });
}

void WriteSection(std::ostream& out, std::string_view section, const SettingsRecord& record)
{
    out << "[" << section << "]\n";
    WriteFields(out, section, record);
    out << "\n";
}

void WriteHeader(std::ostream& out, const SettingsRecord& record, std::uint8_t dpiTable)
{
    out << "# KX-507 settings profile. Every key is required; the comments name the values allowed.\n"
        << "version = " << kProfileVersion << "\n\n"
        << "# The mouse's DPI table, which the DPI values below are taken from: 0, 1, 2 or 3.\n"
        << "dpi_table = " << int{dpiTable} << "\n";
    WriteFields(out, "", record);
    out << "\n";
    WriteSection(out, "lighting", record);
}

void WriteDpi(std::ostream& out, const SettingsRecord& record, std::uint8_t dpiTable)
{
    out << "[dpi]\n# DPI of stages 1 to 4, one of: " << Listed(DpiValues(dpiTable)) << ".\nstages = [";
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        out << (stage ? ", " : "") << DpiValueAt(dpiTable, record.dpiStageIndex[stage], "dpiStageIndex");
    }
    out << "]\n# Whether each stage is in the mouse's cycle: true or false.\nenabled = [";
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        const std::uint8_t byte = record.dpiStageEnabled[stage];
        const bool enabled = Must(byte <= 1 ? std::optional(byte) : std::nullopt, "dpiStageEnabled", byte) != 0;
        out << (stage ? ", " : "") << (enabled ? "true" : "false");
    }
    out << "]\n# DPI of every Snipe Key: one of the DPI values, or \"none\".\n"
        << "snipe = " << SnipeCode(record, dpiTable) << "\n\n";
    WriteSection(out, "fire", record);
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
