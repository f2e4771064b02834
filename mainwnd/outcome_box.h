// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/windef.h"
#include "settings/outcome.h"

// Shows what the user is told of a failure as an OK message box owned by
// `owner`; nothing for an outcome that says nothing.
void ShowOutcome(HWND owner, const Outcome& outcome, std::u16string_view mouseNotFound);
