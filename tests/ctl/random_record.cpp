// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ctl/random_record.h"

#include <array>
#include <cstring>

#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"

namespace {

std::uint8_t Below(std::mt19937& random, std::size_t count)
{
    return static_cast<std::uint8_t>(std::uniform_int_distribution<std::size_t>(0, count - 1)(random));
}

template <std::size_t N>
std::uint8_t OneOf(std::mt19937& random, const std::array<std::uint8_t, N>& values)
{
    return values[Below(random, N)];
}

void RandomBytes(std::mt19937& random, std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = Below(random, 256);
    }
}

void RandomSlot(std::mt19937& random, SettingsRecord& record, std::size_t i, std::size_t dpiCount)
{
    record.buttonFunction[i] = Below(random, 14);
    record.mediaIndex[i] = Below(random, kMultimediaList.size());
    record.windowsIndex[i] = Below(random, kWindowsFunctionList.size());
    record.hotKeyIndex[i] = Below(random, kHotKeyPresetList.size());
    record.snipeIndex[i] = Below(random, dpiCount);
    record.fireRepeatCount[i] = Below(random, 128);
    // A fire key never chosen is (0, 0); a chosen one has its entry's code.
    const bool fireChosen = record.buttonFunction[i] == kFunctionFireKey || Below(random, 2) == 0;
    record.fireKeyIndex[i] = fireChosen ? Below(random, kFireKeyCount) : 0;
    record.fireKeyCode[i] = fireChosen ? FireKeyCodeFromIndex(record.fireKeyIndex[i]) : kKeyNone;
    // A key name the table lacks gives 0.
    record.singleKeyCode[i] = Below(random, 4) == 0 ? kKeyNone : kKeyNameTable[Below(random, kKeyNameRows)].code;
}

}  // namespace

SettingsRecord RandomRecord(std::mt19937& random, std::uint8_t dpiTable)
{
    SettingsRecord record{};
    RandomBytes(random, reinterpret_cast<std::uint8_t*>(&record), sizeof record);
    const std::size_t dpiCount = DpiValueList(dpiTable).size();
    record.reportInterval = OneOf(random, std::array<std::uint8_t, 4>{1, 2, 4, 8});
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        record.dpiStageIndex[stage] = Below(random, dpiCount);
        record.dpiStageEnabled[stage] = Below(random, 2);
    }
    record.ledMode = Below(random, 3);
    record.modeOneParameter = OneOf(random, std::array<std::uint8_t, 3>{10, 5, 1});
    record.modeTwoParameter = OneOf(random, std::array<std::uint8_t, 3>{5, 3, 1});
    record.keySetSelector = Below(random, 2);
    record.fireMakeTime = static_cast<std::uint8_t>(5 + Below(random, 251));
    record.fireBreakTime = static_cast<std::uint8_t>(5 + Below(random, 251));
    record.snipeDpiCode = Below(random, 8) == 0 ? 0 : DpiCodeOfPosition(dpiTable, Below(random, dpiCount), true);
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < 6; ++slot) {
            RandomSlot(random, record, SlotIndex(keySet, slot), dpiCount);
        }
    }
    return record;
}

void CopyCarriedBytes(const SettingsRecord& from, SettingsRecord& to)
{
    std::memcpy(to.reserved0, from.reserved0, sizeof to.reserved0);
    to.reserved6 = from.reserved6;
    std::memcpy(to.swatchColor, from.swatchColor, sizeof to.swatchColor);
    to.reserved30 = from.reserved30;
    auto* target = reinterpret_cast<std::uint8_t*>(&to);
    const auto* source = reinterpret_cast<const std::uint8_t*>(&from);
    for (std::size_t array = offsetof(SettingsRecord, buttonFunction); array < sizeof to; array += kSlotsPerRecord) {
        for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
            for (std::size_t slot = 6; slot < kSlotsPerKeySet; ++slot) {
                target[array + SlotIndex(keySet, slot)] = source[array + SlotIndex(keySet, slot)];
            }
        }
    }
}
