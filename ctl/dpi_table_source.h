// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which DPI table the settings files' DPI positions are read in when the
// user does not say: the mouse's own when it can be read, else the one the
// program last read from it, else table 0. Standard error says which.

#include <cstdint>


std::uint8_t KnownDpiTable();
