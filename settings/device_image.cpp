// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/device_image.h"

#include <algorithm>

#include "settings/key_vocabulary.h"

DeviceImage g_deviceImage{};
bool g_deviceImageFromMouse = false;

void ClearDeviceImage()
{
    g_deviceImage.fill(0);
    g_deviceImageFromMouse = false;
}

void WriteDeviceFunctionTables(DeviceImage& image)
{
    std::copy(kConsumerTableBytes.begin(), kConsumerTableBytes.end(), image.begin() + kImageConsumerTable);
    std::copy(kHotKeyTableBytes.begin(), kHotKeyTableBytes.end(), image.begin() + kImageHotKeyTable);
}
