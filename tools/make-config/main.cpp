// Writes the config.bin that ships beside the executable: first-run flag 0 and
// a settings record holding the key-recover defaults. It is made from the
// settings model at build time, so the shipped file cannot drift from it.
//
//   kx-make-config OUTPUT

#include <cstdio>
#include <fstream>

#include "settings/settings_file.h"
#include "settings/settings_state.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: kx-make-config OUTPUT\n", stderr);
        return 2;
    }
    SettingsRecord record{};
    SetKeyRecoverDefaults(record);
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
