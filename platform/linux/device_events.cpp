// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/device_events.h"

#include <libudev.h>

#include <cerrno>
#include <cstring>

namespace {

struct UdevDeleter {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_monitor* monitor) const { udev_monitor_unref(monitor); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
};

template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

DeviceEvent::Action ActionOf(const char* action)
{
    if (action && std::strcmp(action, "add") == 0) {
        return DeviceEvent::Action::Add;
    }
    if (action && std::strcmp(action, "remove") == 0) {
        return DeviceEvent::Action::Remove;
    }
    return DeviceEvent::Action::Other;
}

class CUdevHidrawMonitor final : public IDeviceEventSource {
public:
    CUdevHidrawMonitor(UdevPtr<udev> context, UdevPtr<udev_monitor> monitor)
        : m_context(std::move(context)), m_monitor(std::move(monitor))
    {
    }

    int Fd() const override { return udev_monitor_get_fd(m_monitor.get()); }

    // The monitor's socket is non-blocking, so this returns at once when
    // nothing is pending.
    std::optional<DeviceEvent> Receive() override
    {
        const UdevPtr<udev_device> device(udev_monitor_receive_device(m_monitor.get()));
        if (!device) {
            return std::nullopt;
        }
        const char* name = udev_device_get_sysname(device.get());
        return DeviceEvent{ActionOf(udev_device_get_action(device.get())), name ? name : ""};
    }

private:
    UdevPtr<udev> m_context;
    UdevPtr<udev_monitor> m_monitor;
};

}  // namespace

std::unique_ptr<IDeviceEventSource> OpenUdevHidrawMonitor()
{
    UdevPtr<udev> context(udev_new());
    if (!context) {
        return nullptr;
    }
    UdevPtr<udev_monitor> monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        return nullptr;
    }
    return std::make_unique<CUdevHidrawMonitor>(std::move(context), std::move(monitor));
}
