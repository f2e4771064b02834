// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/profile_names.h"

#include <algorithm>
#include <charconv>

#include "settings/settings_words.h"
#include "platform/str_conv.h"
#include "settings/dpi_tables.h"
#include "settings/key_vocabulary.h"

namespace {

template <typename List>
NameList EnglishOf(const List& list)
{
    NameList names;
    for (const auto& entry : list) {
        names.push_back(Utf16ToUtf8(entry.english));
    }
    return names;
}

template <typename Rows>
NameList NamesOfRows(const Rows& rows)
{
    NameList names;
    for (const auto& row : rows) {
        names.emplace_back(row.name);
    }
    return names;
}

}  // namespace

const NameList& FunctionNames()
{
    static const NameList names = [] {
        NameList list;
        for (std::uint8_t code = 0; code < kFunctionCount; ++code) {
            list.push_back(Utf16ToUtf8(*FunctionName(code, Language::English)));
        }
        return list;
    }();
    return names;
}

const NameList& WindowsNames()
{
    static const NameList names = EnglishOf(kWindowsFunctionList);
    return names;
}

const NameList& MultimediaNames()
{
    static const NameList names = EnglishOf(kMultimediaList);
    return names;
}

const NameList& HotKeyNames()
{
    static const NameList names = EnglishOf(kHotKeyPresetList);
    return names;
}

const NameList& FireKeyNames()
{
    static const NameList names = NamesOfRows(kFireKeyList);
    return names;
}

const NameList& SingleKeyNames()
{
    static const NameList names = NamesOfRows(kKeyNameTable);
    return names;
}

std::vector<std::int64_t> DpiValues(std::uint8_t dpiTable)
{
    std::vector<std::int64_t> values;
    for (const std::u16string_view text : DpiValueList(dpiTable)) {
        const std::string narrow = Utf16ToUtf8(text);
        std::int64_t value = 0;
        std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
        values.push_back(value);
    }
    return values;
}

std::optional<std::size_t> IndexOf(const NameList& names, std::string_view name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - names.begin()));
}

std::optional<std::size_t> IndexOf(const std::vector<std::int64_t>& values, std::int64_t value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - values.begin()));
}

std::string Listed(const NameList& names)
{
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

std::string Listed(const std::vector<std::int64_t>& values)
{
    NameList names;
    for (const std::int64_t value : values) {
        names.push_back(std::to_string(value));
    }
    return Listed(names);
}
