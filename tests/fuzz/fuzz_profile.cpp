// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a settings profile. Reading either refuses
// with a message and leaves the record and the DPI table untouched, or
// accepts; an accepted profile must write back as a profile that reads to
// the same record, and the show texts of that record must be made without
// fault.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ctl/profile.h"
#include "ctl/show.h"
#include "settings/settings_state.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

SettingsRecord StartingRecord()
{
    SettingsRecord record{};
    std::memset(&record, 0xA5, sizeof record);  // carried bytes an import must keep
    SetKeyRecoverDefaults(record);
    return record;
}

bool Same(const SettingsRecord& a, const SettingsRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SettingsRecord start = StartingRecord();
    SettingsRecord record = start;
    std::uint8_t dpiTable = 7;
    if (const auto error = ReadProfile(text, record, dpiTable)) {
        Require(!error->message.empty());
        Require(Same(record, start) && dpiTable == 7);
        return 0;
    }
    Require(dpiTable < 4);
    const ProfileText written = WriteProfile(record, dpiTable);
    Require(!written.error);
    SettingsRecord again = start;
    std::uint8_t againTable = 7;
    Require(!ReadProfile(written.text, again, againTable));
    Require(Same(again, record) && againTable == dpiTable);
    const SettingsView view{record, dpiTable, false};
    Require(!ShowText(view, Language::TraditionalChinese).empty());
    Require(!ShowJson(view).empty());
    return 0;
}
