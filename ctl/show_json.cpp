// SPDX-License-Identifier: GPL-3.0-or-later
// `show --json`: the same settings as the text, as one JSON object with
// English keys and values. Built as a TOML table and printed with the TOML
// library's JSON formatter, so that quoting and escaping are the library's.

#include <map>
#include <sstream>
#include "ctl/toml.h"

#include "ctl/profile_names.h"
#include "settings/settings_words.h"
#include "ctl/show.h"
#include "platform/str_conv.h"
#include "settings/image_encoding.h"
#include "settings/profile_fields.h"

namespace {

// A name when the vocabulary has one, else the raw code as an integer.
void NameOrCode(toml::table& table, std::string_view key, const NameList& names, std::size_t position)
{
    if (position < names.size()) {
        table.insert(key, names[position]);
    } else {
        table.insert(key, static_cast<std::int64_t>(position));
    }
}

void DpiOrPosition(toml::table& table, std::string_view key, std::uint8_t dpiTable, std::uint8_t position)
{
    const auto values = DpiValues(dpiTable);
    if (position < values.size()) {
        table.insert(key, values[position]);
    } else {
        table.insert(key, "unknown position " + std::to_string(position));
    }
}

toml::table SlotJson(const SettingsView& view, std::size_t keySet, std::size_t slot)
{
    const SettingsRecord& record = view.record;
    const std::size_t i = SlotIndex(keySet, slot);
    toml::table button;
    NameOrCode(button, "function", FunctionNames(), record.buttonFunction[i]);
    switch (record.buttonFunction[i]) {
    case kFunctionWindows: NameOrCode(button, "windows", WindowsNames(), record.windowsIndex[i]); break;
    case kFunctionMultimedia: NameOrCode(button, "multimedia", MultimediaNames(), record.mediaIndex[i]); break;
    case kFunctionHotKey: NameOrCode(button, "hot_key", HotKeyNames(), record.hotKeyIndex[i]); break;
    case kFunctionFireKey:
        NameOrCode(button, "fire_key", FireKeyNames(), record.fireKeyIndex[i]);
        button.insert("fire_repeat", record.fireRepeatCount[i]);
        break;
    case kFunctionSingleKey: {
        const auto name = KeyNameOfCode(record.singleKeyCode[i]);
        if (name) {
            button.insert("single_key", std::string(*name));
        } else {
            button.insert("single_key", static_cast<std::int64_t>(record.singleKeyCode[i]));
        }
        break;
    }
    case kFunctionSnipeKey: DpiOrPosition(button, "snipe", view.dpiTable, record.snipeIndex[i]); break;
    default: break;
    }
    return button;
}

// The value of a single-valued setting in the profile's terms; a byte no
// profile value stands for is shown as the record holds it, but a report-rate
// code that is no rate as 0.
std::int64_t ShownValue(const ProfileField& field, const SettingsRecord& record)
{
    const std::uint8_t byte = record.*field.member;
    if (const auto value = ProfileValueOf(field.range, byte)) {
        return *value;
    }
    return field.member == &SettingsRecord::reportInterval ? 0 : std::int64_t{byte} + field.range.offset;
}

// The mouse's image holds no key-set selector and only the parameter of the
// lighting mode in force.
bool ShownFromMouse(const ProfileField& field, const SettingsRecord& record)
{
    if (field.member == &SettingsRecord::keySetSelector) {
        return false;
    }
    if (field.member == &SettingsRecord::modeOneParameter) {
        return record.ledMode == 1;
    }
    return field.member != &SettingsRecord::modeTwoParameter || record.ledMode == 2;
}

// The single-valued settings under the profile's keys and sections.
void InsertFields(toml::table& top, const SettingsView& view)
{
    std::map<std::string_view, toml::table> sections;
    for (const ProfileField& field : kProfileFields) {
        if (view.fromMouse && !ShownFromMouse(field, view.record)) {
            continue;
        }
        toml::table& table = field.section.empty() ? top : sections[field.section];
        table.insert(field.key, ShownValue(field, view.record));
    }
    for (auto& [name, table] : sections) {
        top.insert(name, std::move(table));
    }
}

toml::table TopJson(const SettingsView& view)
{
    const SettingsRecord& record = view.record;
    toml::table top;
    top.insert("source", view.fromMouse ? "mouse" : "files");
    InsertFields(top, view);
    top.insert("dpi_table", view.dpiTable);
    toml::array stages;
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        toml::table entry;
        DpiOrPosition(entry, "dpi", view.dpiTable, record.dpiStageIndex[stage]);
        entry.insert("enabled", record.dpiStageEnabled[stage] != 0);
        stages.push_back(std::move(entry));
    }
    top.insert("dpi_stages", std::move(stages));
    const bool enabledCode = (record.snipeDpiCode & 0x80) == 0;
    const auto snipe = enabledCode ? DpiPositionOfCode(view.dpiTable, record.snipeDpiCode) : std::nullopt;
    if (record.snipeDpiCode != 0 && snipe) {
        DpiOrPosition(top, "snipe_dpi", view.dpiTable, *snipe);
    } else {
        top.insert("snipe_dpi", std::string(kNoneName));
    }
    return top;
}

}  // namespace

std::string ShowJson(const SettingsView& view)
{
    toml::table top = TopJson(view);
    toml::array keySets;
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        toml::array buttons;
        for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
            buttons.push_back(SlotJson(view, keySet, slot));
        }
        keySets.push_back(std::move(buttons));
    }
    top.insert("key_sets", std::move(keySets));
    std::ostringstream out;
    out << toml::json_formatter{top} << "\n";
    return out.str();
}
