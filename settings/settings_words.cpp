// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_words.h"

#include <array>

#include "lang/main_strings.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"

namespace {

struct RateRow {
    std::uint8_t code;
    unsigned hz;
};
constexpr std::array<RateRow, 4> kRates = {{{1, 1000}, {2, 500}, {4, 250}, {8, 125}}};

std::u16string Widened(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

template <typename List>
std::u16string ListEntry(const List& list, std::uint8_t position, Language language)
{
    return position < list.size() ? std::u16string(list[position].In(language)) : std::u16string();
}

// The list entry's name, unless the code the mouse gets is not that entry's.
std::u16string FireKeyDetail(const SettingsRecord& record, std::size_t i)
{
    const std::uint8_t position = record.fireKeyIndex[i];
    const bool known = position < kFireKeyList.size() && kFireKeyList[position].code == record.fireKeyCode[i];
    return known ? Widened(kFireKeyList[position].name) : std::u16string();
}

std::u16string DetailOf(const SettingsRecord& record, std::size_t i, Language language, std::uint8_t dpiTable)
{
    switch (record.buttonFunction[i]) {
    case kFunctionWindows:
        return ListEntry(kWindowsFunctionList, record.windowsIndex[i], language);
    case kFunctionMultimedia:
        return ListEntry(kMultimediaList, record.mediaIndex[i], language);
    case kFunctionHotKey:
        return ListEntry(kHotKeyPresetList, record.hotKeyIndex[i], language);
    case kFunctionFireKey:
        return FireKeyDetail(record, i);
    case kFunctionSingleKey:
        return Widened(KeyNameOfCode(record.singleKeyCode[i]).value_or(std::string_view()));
    case kFunctionSnipeKey:
        return std::u16string(DpiText(dpiTable, record.snipeIndex[i]).value_or(std::u16string_view()));
    default:
        return {};
    }
}

}  // namespace

std::optional<std::u16string_view> FunctionName(std::uint8_t code, Language language)
{
    if (code >= kFunctionTexts.size()) {
        return std::nullopt;
    }
    return MainWindowText(kFunctionTexts[code]).In(language);
}

std::optional<unsigned> ReportRateHz(std::uint8_t code)
{
    for (const RateRow& row : kRates) {
        if (row.code == code) {
            return row.hz;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> ReportRateCode(unsigned hz)
{
    for (const RateRow& row : kRates) {
        if (row.hz == hz) {
            return row.code;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string_view> DpiText(std::uint8_t dpiTable, std::uint8_t position)
{
    const auto list = DpiValueList(dpiTable);
    if (position >= list.size()) {
        return std::nullopt;
    }
    return list[position];
}

std::optional<std::uint8_t> DpiPositionOfCode(std::uint8_t dpiTable, std::uint8_t code)
{
    const auto count = static_cast<std::uint8_t>(DpiValueList(dpiTable).size());
    for (std::uint8_t position = 0; position < count; ++position) {
        if (DpiCodeOfPosition(dpiTable, position, true) == (code & ~kDpiCodeDisabledBit)) {
            return position;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> KeyNameOfCode(std::uint8_t code)
{
    if (code == kKeyNone) {
        return std::nullopt;
    }
    for (const KeyNameRow& row : kKeyNameTable) {
        if (row.code == code) {
            return row.name;
        }
    }
    return std::nullopt;
}

SlotWords SlotInWords(const SettingsRecord& record, std::size_t keySet, std::size_t slot, Language language,
                      std::uint8_t dpiTable)
{
    const std::size_t i = SlotIndex(keySet, slot);
    SlotWords words;
    words.function = FunctionName(record.buttonFunction[i], language).value_or(std::u16string_view());
    words.detail = DetailOf(record, i, language, dpiTable);
    return words;
}

std::u16string SlotLabel(std::uint8_t function, std::u16string_view functionName, std::u16string_view detail)
{
    switch (function) {
    case kFunctionWindows:
    case kFunctionHotKey:
        return std::u16string(detail);
    case kFunctionMultimedia:
    case kFunctionFireKey:
    case kFunctionSingleKey:
    case kFunctionSnipeKey: {
        std::u16string label(functionName);
        label += u'-';
        label += detail;
        return label;
    }
    default:
        return std::u16string(functionName);
    }
}

std::u16string SlotLabelOf(const SettingsRecord& record, std::size_t keySet, std::size_t slot, Language language,
                           std::uint8_t dpiTable)
{
    const SlotWords words = SlotInWords(record, keySet, slot, language, dpiTable);
    return SlotLabel(record.buttonFunction[SlotIndex(keySet, slot)], words.function, words.detail);
}

void SetDefaultLabels(SlotLabels& labels, const MainWindowStrings& strings)
{
    for (auto& keySet : labels) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            keySet[slot] = strings.*kFunctionTexts[kFactoryKeySet[slot]];
        }
    }
}
