// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DPI table the program last read from the mouse, kept in the user's
// state folder (kx-507/dpi-table below $XDG_STATE_HOME) so that the settings
// files' DPI positions can be read in the right table while the mouse is
// away. Written after each successful read of the mouse; read only by the
// command. The file is one digit and a newline; anything else found there
// is not trusted.

#include <cstdint>
#include <optional>
#include <string>

// Keeps `table` below `stateHome`; false when it cannot (no home, a folder
// others may write, a failed save), which costs nothing but the memory.
bool KeepDpiTable(const std::string& stateHome, std::uint8_t table);

struct KeptDpiTable {
    std::optional<std::uint8_t> table;
    std::string problem;  // why a file that exists was not trusted; empty otherwise
};
KeptDpiTable ReadKeptDpiTable(const std::string& stateHome);

// The file's path below `stateHome`, for messages.
std::string KeptDpiTablePath(const std::string& stateHome);
