// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/dpi_table_source.h"

#include <cstdio>
#include <optional>

#include "ctl/commands.h"
#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"
#include "platform/mouse_state.h"
#include "platform/services/user_config_folder.h"
#include "settings/dpi_tables.h"
#include "settings/kept_dpi_table.h"

namespace {

// The mouse's table, read as the program reads it at start-up (which also
// keeps it); nothing when the program has the mouse or it cannot be read. A
// failed look at the mouse is not an error here: its outcomes are not said.
std::optional<std::uint8_t> DpiTableOfMouse()
{
    if (ProgramIsRunning()) {
        return std::nullopt;
    }
    RestoreMouseState();
    if (!Discover(g_deviceLink).Done()) {
        CloseDeviceHandles(g_deviceLink);
        return std::nullopt;
    }
    g_deviceLink.devicePresent = 1;
    g_deviceLink.deviceOpened = 1;
    const bool read = RefreshDeviceImage(g_deviceLink, {g_deviceImage, g_deviceImageFromMouse}, DpiTableSet).Done();
    CloseDeviceHandles(g_deviceLink);
    if (!read) {
        return std::nullopt;
    }
    return DpiTableSet;
}

void Say(const std::string& line) { std::fprintf(stderr, "kx-507-ctl: %s\n", line.c_str()); }

}  // namespace

std::uint8_t KnownDpiTable()
{
    if (const auto table = DpiTableOfMouse()) {
        Say("DPI table " + std::to_string(*table) + ", read from the mouse");
        return *table;
    }
    const std::string stateHome = UserStateHome();
    const KeptDpiTable kept = ReadKeptDpiTable(stateHome);
    if (!kept.problem.empty()) {
        Say(kept.problem);
    }
    if (kept.table) {
        Say("DPI table " + std::to_string(*kept.table) + ", as last read from the mouse (" +
            KeptDpiTablePath(stateHome) + "); --dpi-table chooses another");
        return *kept.table;
    }
    Say("DPI table 0 assumed: the mouse cannot be read and no table read from it is kept; "
        "--dpi-table chooses another");
    return 0;
}
