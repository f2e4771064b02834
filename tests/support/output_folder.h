// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build's output folder, where the executables, the skins and the shipped
// config.bin lie side by side. KX_OUTPUT_DIR in the environment overrides it.

#include <string>

std::string BuildOutputFolder();
