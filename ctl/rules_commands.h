// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `rules check`: validates rules.toml and the profiles it names.

int RunRulesCheck();
