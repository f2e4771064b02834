// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a profile. Every key is required and nothing else is allowed, so
// that a typing error is never silently ignored; every value is checked
// against its type and its vocabulary before the record changes at all.

#include <algorithm>
#include <array>
#include "ctl/toml.h"

#include "ctl/profile.h"
#include "ctl/profile_names.h"
#include "settings/settings_words.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/profile_fields.h"

namespace {

struct Failure {
    std::size_t line;
    std::string message;
};

using Keys = std::vector<std::string_view>;

std::size_t LineOf(const toml::node& node) { return node.source().begin.line; }

[[noreturn]] void Fail(const toml::node& node, std::string message) { throw Failure{LineOf(node), std::move(message)}; }

std::string_view TypeName(const toml::node& node)
{
    switch (node.type()) {
    case toml::node_type::table: return "a table";
    case toml::node_type::array: return "an array";
    case toml::node_type::string: return "a string";
    case toml::node_type::integer: return "an integer";
    case toml::node_type::floating_point: return "a number with a fraction";
    case toml::node_type::boolean: return "a boolean";
    default: return "a date or time";
    }
}

void OnlyKeys(const toml::table& table, const Keys& keys, const std::string& path)
{
    for (auto&& [key, node] : table) {
        if (std::find(keys.begin(), keys.end(), key.str()) == keys.end()) {
            NameList allowed(keys.begin(), keys.end());
            Fail(node, "unknown key " + path + std::string(key.str()) + "; allowed keys here: " + Listed(allowed));
        }
    }
}

const toml::node& Need(const toml::table& table, std::string_view key, const std::string& path)
{
    const toml::node* node = table.get(key);
    if (node == nullptr) {
        Fail(table, "missing key " + path + std::string(key));
    }
    return *node;
}

const toml::table& SubTable(const toml::table& parent, std::string_view key, const std::string& path)
{
    const toml::node& node = Need(parent, key, path);
    if (!node.is_table()) {
        Fail(node, path + std::string(key) + ": expected a table, found " + std::string(TypeName(node)));
    }
    return *node.as_table();
}

std::int64_t Integer(const toml::node& node, const std::string& name)
{
    if (!node.is_integer()) {
        Fail(node, name + ": expected an integer, found " + std::string(TypeName(node)));
    }
    return node.as_integer()->get();
}

// The position of the node's integer among `allowed`.
std::size_t IntegerAmong(const toml::node& node, const std::string& name, const std::vector<std::int64_t>& allowed)
{
    const std::int64_t value = Integer(node, name);
    const auto position = IndexOf(allowed, value);
    if (!position) {
        Fail(node, name + ": " + std::to_string(value) + " is not one of " + Listed(allowed));
    }
    return *position;
}

std::uint8_t IntegerIn(const toml::node& node, const std::string& name, std::int64_t low, std::int64_t high)
{
    const std::int64_t value = Integer(node, name);
    if (value < low || value > high) {
        Fail(node, name + ": " + std::to_string(value) + " is outside " + std::to_string(low) + " to " +
                       std::to_string(high));
    }
    return static_cast<std::uint8_t>(value);
}

// The position of the node's string among `names`; `none` (when given) for "none".
std::size_t NameAmong(const toml::node& node, const std::string& name, const NameList& names,
                      std::optional<std::size_t> none = std::nullopt)
{
    if (!node.is_string()) {
        Fail(node, name + ": expected a string, found " + std::string(TypeName(node)));
    }
    const std::string& value = node.as_string()->get();
    if (none && value == kNoneName) {
        return *none;
    }
    const auto position = IndexOf(names, value);
    if (!position) {
        Fail(node, name + ": \"" + value + "\" is not one of " + (none ? "none, " : "") + Listed(names));
    }
    return *position;
}

bool Boolean(const toml::node& node, const std::string& name)
{
    if (!node.is_boolean()) {
        Fail(node, name + ": expected true or false, found " + std::string(TypeName(node)));
    }
    return node.as_boolean()->get();
}

// List positions are below 256 by the lists' sizes.
std::uint8_t Byte(std::size_t position) { return static_cast<std::uint8_t>(position); }

const toml::array& FourOf(const toml::node& node, const std::string& name)
{
    if (!node.is_array() || node.as_array()->size() != kDpiStageCount) {
        Fail(node, name + ": expected an array of 4 values, one per stage");
    }
    return *node.as_array();
}

}  // namespace

namespace {

std::uint8_t ReadVersionAndTable(const toml::table& root)
{
    const toml::node& version = Need(root, "version", "");
    const std::int64_t number = Integer(version, "version");
    if (number > kProfileVersion) {
        Fail(version, "version " + std::to_string(number) + " is newer than this program reads (" +
                          std::to_string(kProfileVersion) + "); use a newer kx-507-ctl");
    }
    if (number < 1) {
        Fail(version, "version: " + std::to_string(number) + " is not a profile version (1)");
    }
    return IntegerIn(Need(root, "dpi_table", ""), "dpi_table", 0, kDpiTableCount - 1);
}

// The value of one field of the table, checked against its range.
void ReadField(const toml::table& table, const ProfileField& field, SettingsRecord& record)
{
    const std::string path = field.section.empty() ? std::string() : std::string(field.section) + ".";
    const std::string name = path + std::string(field.key);
    const toml::node& node = Need(table, field.key, path);
    const ProfileFieldRange& range = field.range;
    if (range.listed > 0) {
        const auto values = ListedValues(range);
        record.*field.member = range.codes[IntegerAmong(node, name, {values.begin(), values.end()})];
    } else {
        record.*field.member = static_cast<std::uint8_t>(IntegerIn(node, name, range.low, range.high) - range.offset);
    }
}

// The keys of a section: its fields', in table order.
Keys KeysOf(std::string_view section)
{
    Keys keys;
    ForEachFieldOf(section, [&keys](const ProfileField& field) { keys.push_back(field.key); });
    return keys;
}

void ReadSection(const toml::table& root, std::string_view section, SettingsRecord& record)
{
    const toml::table& table = SubTable(root, section, "");
    OnlyKeys(table, KeysOf(section), std::string(section) + ".");
    ForEachFieldOf(section, [&](const ProfileField& field) { ReadField(table, field, record); });
}

void ReadTopLevel(const toml::table& root, SettingsRecord& record)
{
    Keys keys = {"version", "dpi_table"};
    const Keys fields = KeysOf("");
    keys.insert(keys.end(), fields.begin(), fields.end());
    keys.insert(keys.end(), {"lighting", "dpi", "fire", "key_set_1", "key_set_2"});
    OnlyKeys(root, keys, "");
    ForEachFieldOf("", [&](const ProfileField& field) { ReadField(root, field, record); });
    ReadSection(root, "lighting", record);
    ReadSection(root, "fire", record);
}

void ReadDpi(const toml::table& root, SettingsRecord& record, std::uint8_t dpiTable)
{
    const toml::table& dpi = SubTable(root, "dpi", "");
    OnlyKeys(dpi, {"stages", "enabled", "snipe"}, "dpi.");
    const std::vector<std::int64_t> values = DpiValues(dpiTable);
    const toml::array& stages = FourOf(Need(dpi, "stages", "dpi."), "dpi.stages");
    const toml::array& enabled = FourOf(Need(dpi, "enabled", "dpi."), "dpi.enabled");
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        const std::string which = "[" + std::to_string(stage + 1) + "]";
        record.dpiStageIndex[stage] = Byte(IntegerAmong(*stages.get(stage), "dpi.stages" + which, values));
        record.dpiStageEnabled[stage] = Boolean(*enabled.get(stage), "dpi.enabled" + which) ? 1 : 0;
    }
    const toml::node& snipe = Need(dpi, "snipe", "dpi.");
    if (snipe.is_string() && snipe.as_string()->get() == kNoneName) {
        record.snipeDpiCode = 0;
    } else if (snipe.is_string()) {
        Fail(snipe, "dpi.snipe: \"" + snipe.as_string()->get() + "\" is not one of none, " + Listed(values));
    } else {
        record.snipeDpiCode = DpiCodeOfPosition(dpiTable, Byte(IntegerAmong(snipe, "dpi.snipe", values)), true);
    }
}

void ReadSlot(const toml::table& keySetTable, std::size_t keySet, std::size_t slot, SettingsRecord& record,
              std::uint8_t dpiTable)
{
    const std::string key = "button_" + std::to_string(slot + 1);
    const std::string path = "key_set_" + std::to_string(keySet + 1) + "." + key + ".";
    const toml::table& button = SubTable(keySetTable, key, path.substr(0, path.size() - key.size() - 1));
    OnlyKeys(button, {"function", "windows", "multimedia", "hot_key", "fire_key", "fire_repeat", "single_key", "snipe"},
             path);
    const std::size_t i = SlotIndex(keySet, slot);
    const auto field = [&](std::string_view name) { return path + std::string(name); };
    const auto need = [&](std::string_view name) -> const toml::node& { return Need(button, name, path); };
    record.buttonFunction[i] = Byte(NameAmong(need("function"), field("function"), FunctionNames()));
    record.windowsIndex[i] = Byte(NameAmong(need("windows"), field("windows"), WindowsNames()));
    record.mediaIndex[i] = Byte(NameAmong(need("multimedia"), field("multimedia"), MultimediaNames()));
    record.hotKeyIndex[i] = Byte(NameAmong(need("hot_key"), field("hot_key"), HotKeyNames()));
    const std::size_t none = kFireKeyCount;
    const std::size_t fire = NameAmong(need("fire_key"), field("fire_key"), FireKeyNames(), none);
    if (fire == none && record.buttonFunction[i] == kFunctionFireKey) {
        Fail(need("fire_key"), field("fire_key") + ": a Fire Key needs a key, one of " + Listed(FireKeyNames()));
    }
    record.fireKeyIndex[i] = fire == none ? 0 : Byte(fire);
    record.fireKeyCode[i] = fire == none ? kKeyNone : FireKeyCodeFromIndex(Byte(fire));
    record.fireRepeatCount[i] = IntegerIn(need("fire_repeat"), field("fire_repeat"), 0, 127);
    const std::size_t single = NameAmong(need("single_key"), field("single_key"), SingleKeyNames(), kKeyNameRows);
    record.singleKeyCode[i] = single == kKeyNameRows ? kKeyNone : kKeyNameTable[single].code;
    record.snipeIndex[i] = Byte(IntegerAmong(need("snipe"), field("snipe"), DpiValues(dpiTable)));
}

void ReadKeySets(const toml::table& root, SettingsRecord& record, std::uint8_t dpiTable)
{
    Keys buttons;
    static const std::array<std::string_view, kEditableSlots> kButtonKeys = {"button_1", "button_2", "button_3",
                                                                             "button_4", "button_5", "button_6"};
    buttons.assign(kButtonKeys.begin(), kButtonKeys.end());
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        const std::string name = "key_set_" + std::to_string(keySet + 1);
        const toml::table& keySetTable = SubTable(root, name, "");
        OnlyKeys(keySetTable, buttons, name + ".");
        for (std::size_t slot = 0; slot < kEditableSlots; ++slot) {
            ReadSlot(keySetTable, keySet, slot, record, dpiTable);
        }
    }
}

// Every key and value of a profile is ASCII. Nothing else reaches the TOML
// parser, whose checks of some non-ASCII characters (blanks beyond ASCII)
// are faulty in the packaged version and would run into code it assumes
// unreachable.
std::optional<std::size_t> FirstLineBeyondAscii(std::string_view text)
{
    const auto beyond = std::find_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    if (beyond == text.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(std::count(text.begin(), beyond, '\n')) + 1;
}

}  // namespace

std::optional<ProfileError> ReadProfile(std::string_view text, SettingsRecord& record, std::uint8_t& dpiTable)
{
    if (text.size() > kMaxProfileBytes) {
        return ProfileError{0, "larger than " + std::to_string(kMaxProfileBytes) + " bytes: not a profile"};
    }
    if (text.find('\0') != std::string_view::npos) {
        return ProfileError{0, "holds NUL bytes: a binary file, not a profile"};
    }
    if (const auto line = FirstLineBeyondAscii(text)) {
        return ProfileError{*line, "holds a character outside ASCII; a profile holds English names only"};
    }
    try {
        const toml::table root = toml::parse(text);
        SettingsRecord read = record;
        const std::uint8_t table = ReadVersionAndTable(root);
        ReadTopLevel(root, read);
        ReadDpi(root, read, table);
        ReadKeySets(root, read, table);
        record = read;
        dpiTable = table;
        return std::nullopt;
    } catch (const toml::parse_error& error) {
        return ProfileError{error.source().begin.line, "not a valid TOML profile: " + std::string(error.description())};
    } catch (const Failure& failure) {
        return ProfileError{failure.line, failure.message};
    }
}
