// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/device_link.h"
#include "settings/outcome.h"

// Walks the present HID interfaces and opens the mouse's command and data
// collections into `link`. Done when both were opened (and the link's
// device-present flag set); MouseAbsent when the mouse is not among them or
// cannot be probed; CollectionOpen, with the open's error code, when a
// collection of the mouse cannot be opened.
Outcome Discover(DeviceLink& link);
