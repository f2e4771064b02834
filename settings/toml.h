// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The TOML library, as every file that parses TOML includes it.
//
// Its parser states some conditions on the text it reads as assertions that
// become optimiser assumptions in builds without assertions (with clang).
// Hostile text can break them (a "[" followed by a blank does), so they are
// neither checked nor assumed here: the parser then reports such text as the
// error it is, exactly as the library's own packaged build does. The same
// definitions hold in every file, so that all share one parser.
#pragma push_macro("NDEBUG")
#undef NDEBUG
#define TOML_ASSERT(expr) static_assert(true)
#include <toml++/toml.h>
#pragma pop_macro("NDEBUG")
