#pragma once

#include <string_view>

#include "platform/dbt.h"

// The main window's WM_DEVICECHANGE handler. Counts arrivals and removals of
// the mouse's interfaces and, on every fourth, discovers the mouse again:
// after an arrival the device image is read anew; when discovery fails the
// main window gets notification 15 and is hidden. `mouseNotFound` is the
// text for a failed read (the main window's strMouseNotFound). Always TRUE.
BOOL OnDeviceChange(HWND mainWnd, WPARAM eventType, const DEV_BROADCAST_HDR* header,
                    std::u16string_view mouseNotFound);
