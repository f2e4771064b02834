// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the config.bin that ships beside the executable: first-run flag 0 and
// a settings record holding the key-recover defaults, and in the fields only
// the dialogs and the lighting page set, values those set themselves. It is
// made from the settings model at build time, so the shipped file cannot
// drift from it.
//
//   kx-make-config OUTPUT

#include <cstdint>
#include <cstdio>
#include <fstream>

#include "dialogs/fire_key_dialog.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"

namespace {

// The one snipe DPI code every DPI table offers (500, 800, 250 or 800 DPI),
// whichever table the mouse turns out to have.
constexpr std::uint8_t kShippedSnipeDpiCode = 0x02;
// The lighting page's first choice for mode one (10, 5 or 1).
constexpr std::uint8_t kShippedModeOneParameter = 10;

// Until the user sets them, the record-wide values that a first Apply sends
// are ones the dialogs would have given: nothing out of their ranges.
SettingsRecord ShippedRecord()
{
    SettingsRecord record{};
    SetKeyRecoverDefaults(record);
    record.fireMakeTime = kFireTimeDefault;
    record.fireBreakTime = kFireTimeDefault;
    record.snipeDpiCode = kShippedSnipeDpiCode;
    record.modeOneParameter = kShippedModeOneParameter;
    return record;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: kx-make-config OUTPUT\n", stderr);
        return 2;
    }
    const SettingsRecord record = ShippedRecord();
    const char firstRunFlag = 0;

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(&firstRunFlag, 1);
    out.write(reinterpret_cast<const char*>(&record), sizeof record);
    out.close();
    if (!out) {
        std::fprintf(stderr, "kx-make-config: cannot write %s\n", argv[1]);
        return 1;
    }
    static_assert(1 + sizeof record == kSettingsFileSize);
    return 0;
}
