// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "device/device_link.h"
#include "settings/device_image.h"
#include "settings/outcome.h"

// Moving the device image between the program and the mouse, report by
// report on the two collections that discovery opened into `link`. The
// caller says what a failure (MouseRead, MouseWrite) means to the user.

// The device image and whether it was read whole from the mouse.
struct MouseImage {
    DeviceImage& image;
    bool& fromMouse;
};

// Fills the image from the mouse. The caller clears the image first and
// afterwards takes the DPI table set from it. Done when the header and all
// five blocks arrived; otherwise the image is left cleared.
Outcome ReadDeviceConfiguration(const DeviceLink& link, MouseImage mouse);

// Sends the image to the mouse. Done when every report went out. An image
// that was not read whole from the mouse is not sent at all.
Outcome WriteDeviceConfiguration(const DeviceLink& link, const DeviceImage& image, bool fromMouse);

// Clears the image, reads it and takes the DPI table set from it: what
// start-up and a device arrival do.
Outcome RefreshDeviceImage(const DeviceLink& link, MouseImage mouse, std::uint8_t& dpiTableSet);
