// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_change.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "device/discovery.h"

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

DeviceChangeOutcome Rediscover(DeviceLink& link, MouseImage mouse, std::uint8_t& dpiTableSet, WPARAM eventType)
{
    DeviceChangeOutcome outcome;
    outcome.discovery = Discover(link);
    if (!outcome.discovery.Done()) {
        link.devicePresent = 0;
        outcome.kind = DeviceChangeKind::MouseGone;
        return outcome;
    }
    if (eventType == DBT_DEVICEARRIVAL) {
        link.deviceOpened = 1;
        outcome.read = RefreshDeviceImage(link, mouse, dpiTableSet);
    }
    link.devicePresent = 1;
    outcome.kind = DeviceChangeKind::MouseThere;
    return outcome;
}

}  // namespace

DeviceChangeOutcome TrackDeviceChange(DeviceLink& link, MouseImage mouse, std::uint8_t& dpiTableSet,
                                      WPARAM eventType, const DEV_BROADCAST_HDR* header)
{
    if (!IsMouseInterfaceEvent(eventType, header)) {
        return {};
    }
    ++link.hotPlugCounter;
    if (link.hotPlugCounter != kNotificationsPerDiscovery) {
        return {};
    }
    const DeviceChangeOutcome outcome = Rediscover(link, mouse, dpiTableSet, eventType);
    link.hotPlugCounter = 0;
    return outcome;
}
