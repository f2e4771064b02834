// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windef.h"

// The mouse, as the rest of the program knows it: the HID identity and the
// collections this program talks to.
inline constexpr USHORT kMouseVendorId = 0x04D9;
inline constexpr USHORT kMouseProductId = 0xA09E;
inline constexpr USHORT kGenericDesktopPage = 1;
inline constexpr USHORT kCommandUsage = 6;   // 8-byte command reports
inline constexpr USHORT kDataUsage = 2;      // 65-byte configuration blocks
inline constexpr USHORT kCommandFeatureLength = 8;
inline constexpr USHORT kDataFeatureLength = 65;

// Process-wide device state. The handles are replaced (the old ones closed)
// by each successful open and closed when the main window is destroyed.
struct DeviceLink {
    HANDLE commandHandle = INVALID_HANDLE_VALUE;
    HANDLE dataHandle = INVALID_HANDLE_VALUE;
    USHORT commandReportLength = 0;
    USHORT dataReportLength = 0;
    // 1 while the mouse is believed connected; the tray restore reads it.
    int devicePresent = 0;
    // Set by the first successful discovery at start-up or arrival, never
    // cleared: from then on reports are scrambled.
    int deviceOpened = 0;
    // Matching device-change notifications since the last discovery.
    BYTE hotPlugCounter = 0;
};

extern DeviceLink g_deviceLink;

// Closes the link's command and data handles that are open; for window
// destruction and the end of a command.
void CloseDeviceHandles(DeviceLink& link);
