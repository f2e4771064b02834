// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/dbt.h"

// What a change of the mouse's interfaces meant: nothing to act on, or the
// fourth change since the last discovery, which found the mouse there or gone.
enum class DeviceChangeOutcome { Nothing, MouseThere, MouseGone };

// Counts arrivals and removals of the mouse's interfaces and, on every
// fourth, discovers the mouse again: after an arrival the device image is
// read anew, and the device link records whether the mouse is present. The
// main window acts on the outcome (a gone mouse is announced and the window
// hidden); this routine touches no window but the owner of its message boxes.
// `mouseNotFound` is the text for a failed read (the main window's
// strMouseNotFound).
DeviceChangeOutcome TrackDeviceChange(HWND mainWnd, WPARAM eventType, const DEV_BROADCAST_HDR* header,
                                      std::u16string_view mouseNotFound);
