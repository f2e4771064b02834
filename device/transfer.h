// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/windef.h"

// Moving the device image between the program and the mouse, report by
// report on the two collections that discovery opened. `owner` owns the
// failure message box; `mouseNotFound` is its text in the current language
// (the main window's strMouseNotFound).

// Fills g_deviceImage from the mouse. The caller clears the image first and
// afterwards takes DpiTableSet from it. Returns TRUE when the header and all
// five blocks arrived; otherwise shows the message, leaves the image cleared
// and returns FALSE.
BOOL ReadDeviceConfiguration(HWND owner, std::u16string_view mouseNotFound);

// Sends g_deviceImage to the mouse. Returns TRUE when every report went out.
// An image that was not read whole from the mouse is not sent at all: the
// message is shown and nothing reaches the mouse.
BOOL WriteDeviceConfiguration(HWND owner, std::u16string_view mouseNotFound);

// Clears the image, reads it and takes DpiTableSet from it: what start-up and
// a device arrival do.
BOOL RefreshDeviceImage(HWND owner, std::u16string_view mouseNotFound);
