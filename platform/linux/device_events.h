// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Arrival and removal of hidraw nodes, as a source of events that the
// program's message loop reads when its descriptor becomes readable. The real
// source is a udev monitor; tests feed a scripted one.

#include <memory>
#include <optional>
#include <string>

struct DeviceEvent {
    enum class Action { Add, Remove, Other };
    Action action = Action::Other;
    std::string node;  // sysfs name: "hidraw3"
};

class IDeviceEventSource {
public:
    virtual ~IDeviceEventSource() = default;
    // Readable when events are pending.
    virtual int Fd() const = 0;
    // The next pending event; nullopt when none is pending. Never blocks.
    virtual std::optional<DeviceEvent> Receive() = 0;
};

// A udev monitor of the hidraw subsystem. It listens to udev rather than the
// kernel so that an added node already carries the permissions the rules gave
// it. nullptr when udev cannot be reached (errno tells why).
std::unique_ptr<IDeviceEventSource> OpenUdevHidrawMonitor();
