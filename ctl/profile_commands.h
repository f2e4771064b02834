// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `profile list | save | use | remove | show`: the profile library by name.

#include <string>

#include "ctl/commands.h"

int RunProfileList();
int RunProfileSave(const SettingsFolder& folder, const std::string& name, std::uint8_t dpiTable);
int RunProfileUse(const SettingsFolder& folder, const std::string& name);
int RunProfileRemove(const std::string& name);
int RunProfileShow(const SettingsFolder& folder, const std::string& name, const ShowOptions& options);
