// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/device_notifier.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/hid.h"
#include "platform/linux/device_events.h"
#include "platform/linux/hidraw_tree.h"
#include "platform/winuser.h"

namespace {

constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

// The filter must ask for device-interface broadcasts of the HID class, the
// only class this backend watches. Only the bytes its size declares are read.
bool IsHidInterfaceFilter(const void* filter)
{
    DEV_BROADCAST_HDR header;
    std::memcpy(&header, filter, sizeof(header));
    if (header.dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header.dbch_size < kNameOffset) {
        return false;
    }
    GUID classGuid;
    std::memcpy(&classGuid,
                static_cast<const unsigned char*>(filter) + offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_classguid),
                sizeof(classGuid));
    return classGuid == GUID_DEVINTERFACE_HID;
}

}  // namespace

CDeviceNotifier::CDeviceNotifier(const CHidrawTree& tree, DeviceEventSourceFactory openSource)
    : m_tree(tree), m_openSource(std::move(openSource))
{
}

CDeviceNotifier::~CDeviceNotifier()
{
    for (const auto& [key, registration] : m_registrations) {
        UnwatchFd(registration->watch);
    }
}

HDEVNOTIFY CDeviceNotifier::Register(HWND recipient, const void* filter, DWORD flags)
{
    if (!recipient || !filter || flags != DEVICE_NOTIFY_WINDOW_HANDLE || !IsHidInterfaceFilter(filter)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto registration = std::make_shared<Registration>();
    registration->recipient = recipient;
    registration->source = m_openSource ? m_openSource() : nullptr;
    if (!registration->source) {
        SetLastError(ERROR_GEN_FAILURE);
        return nullptr;
    }
    // Nodes present now may go later; their names are known only while they exist.
    for (const std::string& node : m_tree.NodeNames()) {
        registration->known[node] = InterfaceNames(node);
    }
    const std::weak_ptr<Registration> weak = registration;
    registration->watch = WatchFdReadable(registration->source->Fd(), [this, weak] {
        if (const auto locked = weak.lock()) {
            Service(locked);
        }
    });
    if (registration->watch < 0) {
        SetLastError(ERROR_GEN_FAILURE);
        return nullptr;
    }
    HDEVNOTIFY handle = registration.get();
    m_registrations.emplace(handle, std::move(registration));
    return handle;
}

BOOL CDeviceNotifier::Unregister(HDEVNOTIFY handle)
{
    const auto it = m_registrations.find(handle);
    if (it == m_registrations.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A message handler may unregister while its registration is delivering:
    // the delivery holds its own reference and stops at the next message.
    it->second->alive = false;
    UnwatchFd(it->second->watch);
    m_registrations.erase(it);
    return TRUE;
}

void CDeviceNotifier::Service(const std::shared_ptr<Registration>& registration)
{
    const std::shared_ptr<Registration> keep = registration;
    while (keep->alive) {
        const std::optional<DeviceEvent> event = keep->source->Receive();
        if (!event) {
            break;
        }
        OnEvent(keep, *event);
    }
}

void CDeviceNotifier::OnEvent(const std::shared_ptr<Registration>& registration, const DeviceEvent& event)
{
    if (event.action == DeviceEvent::Action::Other || !IsHidrawNodeName(event.node)) {
        return;
    }
    // A node number seen again without its removal (the monitor lost events)
    // first announces the removal of what it was.
    const auto known = registration->known.find(event.node);
    if (known != registration->known.end()) {
        const std::vector<std::u16string> gone = std::move(known->second);
        registration->known.erase(known);
        const bool sameDevice = event.action == DeviceEvent::Action::Add && gone == InterfaceNames(event.node);
        if (!sameDevice) {
            Deliver(*registration, DBT_DEVICEREMOVECOMPLETE, gone);
        }
    }
    if (event.action == DeviceEvent::Action::Add && registration->alive) {
        std::vector<std::u16string> names = InterfaceNames(event.node);
        if (!names.empty()) {
            registration->known[event.node] = names;
            Deliver(*registration, DBT_DEVICEARRIVAL, names);
        }
    }
}

std::vector<std::u16string> CDeviceNotifier::InterfaceNames(const std::string& node) const
{
    std::vector<std::u16string> names;
    if (const auto described = m_tree.ReadNode(node)) {
        for (std::size_t i = 0; i < described->collections.size(); ++i) {
            names.push_back(InterfacePath(*described, i));
        }
    }
    return names;
}

void CDeviceNotifier::Deliver(const Registration& registration, WPARAM code, const std::vector<std::u16string>& names)
{
    for (const std::u16string& name : names) {
        if (!registration.alive) {
            return;
        }
        DEV_BROADCAST_DEVICEINTERFACE_W broadcast{};
        broadcast.dbcc_size = sizeof(broadcast);
        broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        broadcast.dbcc_classguid = GUID_DEVINTERFACE_HID;
        const std::size_t chars = std::min(name.size(), kDeviceInterfaceNameChars - 1);
        std::copy_n(name.begin(), chars, broadcast.dbcc_name);
        SendMessageW(registration.recipient, WM_DEVICECHANGE, code, reinterpret_cast<LPARAM>(&broadcast));
    }
}
