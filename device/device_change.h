// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "device/transfer.h"
#include "platform/dbt.h"

// What a change of the mouse's interfaces meant: nothing to act on, or the
// fourth change since the last discovery, which found the mouse there or gone.
enum class DeviceChangeKind { Nothing, MouseThere, MouseGone };

// The meaning, and what became of the discovery and of the read after an
// arrival, in the order they ran.
struct DeviceChangeOutcome {
    DeviceChangeKind kind = DeviceChangeKind::Nothing;
    Outcome discovery;
    Outcome read;
};

// Counts arrivals and removals of the mouse's interfaces and, on every
// fourth, discovers the mouse again into `link`: after an arrival the device
// image is read anew (and the DPI table set taken from it), and the link
// records whether the mouse is present. The main window acts on the outcome
// (says what failed; a gone mouse is announced and the window hidden); this
// routine touches no window.
DeviceChangeOutcome TrackDeviceChange(DeviceLink& link, MouseImage mouse, std::uint8_t& dpiTableSet,
                                      WPARAM eventType, const DEV_BROADCAST_HDR* header);
