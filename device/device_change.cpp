// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_change.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "device/device_link.h"
#include "device/discovery.h"
#include "device/transfer.h"

namespace {

// The mouse's interfaces are announced with the ids in one of these two
// forms; any other mix of cases is some other device's business.
constexpr std::array<std::u16string_view, 2> kMouseNameForms = {u"Vid_04d9&Pid_a09e", u"VID_04D9&PID_A09E"};

constexpr BYTE kNotificationsPerDiscovery = 4;

bool NamesTheMouse(const DEV_BROADCAST_DEVICEINTERFACE_W& broadcast)
{
    // The name array is fixed; read it up to its NUL and never past its end.
    const std::u16string_view whole(broadcast.dbcc_name, kDeviceInterfaceNameChars);
    const std::u16string_view name = whole.substr(0, whole.find(u'\0'));
    return std::any_of(kMouseNameForms.begin(), kMouseNameForms.end(),
                       [name](std::u16string_view form) { return name.find(form) != std::u16string_view::npos; });
}

bool IsMouseInterfaceEvent(WPARAM eventType, const DEV_BROADCAST_HDR* header)
{
    if (eventType != DBT_DEVICEARRIVAL && eventType != DBT_DEVICEREMOVECOMPLETE) {
        return false;
    }
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
        return false;
    }
    return NamesTheMouse(*reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header));
}

DeviceChangeOutcome Rediscover(HWND mainWnd, WPARAM eventType, std::u16string_view mouseNotFound)
{
    if (Discover(mainWnd) == 0) {
        g_deviceLink.devicePresent = 0;
        return DeviceChangeOutcome::MouseGone;
    }
    if (eventType == DBT_DEVICEARRIVAL) {
        g_deviceLink.deviceOpened = 1;
        RefreshDeviceImage(mainWnd, mouseNotFound);
    }
    g_deviceLink.devicePresent = 1;
    return DeviceChangeOutcome::MouseThere;
}

}  // namespace

DeviceChangeOutcome TrackDeviceChange(HWND mainWnd, WPARAM eventType, const DEV_BROADCAST_HDR* header,
                                      std::u16string_view mouseNotFound)
{
    if (!IsMouseInterfaceEvent(eventType, header)) {
        return DeviceChangeOutcome::Nothing;
    }
    ++g_deviceLink.hotPlugCounter;
    if (g_deviceLink.hotPlugCounter != kNotificationsPerDiscovery) {
        return DeviceChangeOutcome::Nothing;
    }
    const DeviceChangeOutcome outcome = Rediscover(mainWnd, eventType, mouseNotFound);
    g_deviceLink.hotPlugCounter = 0;
    return outcome;
}
