// SPDX-License-Identifier: GPL-3.0-or-later
// The real mouse keeps its own memory: nothing to do.
#include "platform/mouse_state.h"

void RestoreMouseState() {}

void KeepMouseState() {}
