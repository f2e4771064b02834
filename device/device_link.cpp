// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_link.h"

#include "platform/hid.h"

DeviceLink g_deviceLink;

namespace {

void CloseIfOpen(HANDLE& handle)
{
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
}

}  // namespace

void CloseDeviceHandles(DeviceLink& link)
{
    CloseIfOpen(link.commandHandle);
    CloseIfOpen(link.dataHandle);
}
