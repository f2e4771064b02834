// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-interface notifications for the HID class: each registration watches
// a udev monitor through the program's message loop and sends its window
// WM_DEVICECHANGE once per top-level collection of a node that comes or goes,
// as Windows sends one per collection interface.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dbt.h"
#include "platform/fd_watch.h"

class CHidrawTree;
class IDeviceEventSource;
struct DeviceEvent;

using DeviceEventSourceFactory = std::function<std::unique_ptr<IDeviceEventSource>()>;

class CDeviceNotifier {
public:
    CDeviceNotifier(const CHidrawTree& tree, DeviceEventSourceFactory openSource);
    ~CDeviceNotifier();

    HDEVNOTIFY Register(HWND recipient, const void* filter, DWORD flags);
    BOOL Unregister(HDEVNOTIFY handle);

private:
    struct Registration {
        HWND recipient = nullptr;
        std::unique_ptr<IDeviceEventSource> source;
        FdWatchId watch = -1;
        bool alive = true;
        // The interface names of every node seen, kept to announce a removal:
        // by then the node's descriptor is gone from sysfs.
        std::map<std::string, std::vector<std::u16string>> known;
    };

    // Reads every pending event of the registration and sends its messages;
    // what the message loop runs when the monitor becomes readable.
    void Service(const std::shared_ptr<Registration>& registration);
    void OnEvent(const std::shared_ptr<Registration>& registration, const DeviceEvent& event);
    std::vector<std::u16string> InterfaceNames(const std::string& node) const;
    static void Deliver(const Registration& registration, WPARAM code, const std::vector<std::u16string>& names);

    const CHidrawTree& m_tree;
    DeviceEventSourceFactory m_openSource;
    std::map<const void*, std::shared_ptr<Registration>> m_registrations;
};
