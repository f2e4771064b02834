// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The TOML library with the one set of definitions every parser shares.
#include "settings/toml.h"
