// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random settings records of the kind the window produces: every setting a
// value its pages and dialogs offer (or the never-set zeros the record starts
// with), and random bytes wherever the record only carries what it holds.

#include <cstdint>
#include <random>

#include "settings/settings_record.h"

SettingsRecord RandomRecord(std::mt19937& random, std::uint8_t dpiTable);

// The bytes an import keeps from the record it replaces: reserved bytes,
// colour swatches and slots 6 and 7 of every per-slot array.
void CopyCarriedBytes(const SettingsRecord& from, SettingsRecord& to);
