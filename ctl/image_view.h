// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the mouse holds, for `show --from-mouse`: the bytes of the device
// image that the settings encode, put back into the record's terms so that
// they are shown in the same words. Only for showing; the program itself
// never takes settings from the mouse.

#include <cstdint>

#include "ctl/show.h"
#include "settings/device_image.h"

// A function code the image's bytes match no function with.
inline constexpr std::uint8_t kUnknownFunction = 0xFF;

SettingsView ViewOfImage(const DeviceImage& image, std::uint8_t dpiTable);
