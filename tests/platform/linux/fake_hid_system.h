// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test stand-ins for what the Linux HID backend reads and calls: a sysfs and
// /dev tree in a temporary folder, a scripted kernel behind the hidraw calls,
// and a queue of udev events.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/device_events.h"
#include "platform/linux/hidraw_io.h"
#include "platform/linux/linux_hid.h"

// sys/class/hidraw/hidrawN with a `device` link into sys/devices, laid out as
// the kernel lays out a USB HID device (USB device, interface, HID device),
// and dev/hidrawN as a plain file.
class CFakeHidTree {
public:
    CFakeHidTree();
    ~CFakeHidTree();
    CFakeHidTree(const CFakeHidTree&) = delete;
    CFakeHidTree& operator=(const CFakeHidTree&) = delete;

    void AddNode(const std::string& name, std::uint16_t vendor, std::uint16_t product,
                 const std::vector<std::uint8_t>& descriptor, std::uint16_t bcdDevice = 0x0100);
    // Removes the class entry and the device node; the device folder goes too.
    void RemoveNode(const std::string& name);
    LinuxHidRoots Roots() const { return {m_root / "sys", m_root / "dev"}; }

private:
    std::filesystem::path m_root;
};

// The kernel's side of the hidraw calls, per device node path.
class CFakeHidrawIo final : public IHidrawIo {
public:
    struct Device {
        int openError = 0;  // errno that open fails with; 0 opens
        HidrawRawInfo info;
        int featureError = 0;  // errno that feature reports fail with
        // The device's answer to a feature-report read, id byte first; when
        // empty, a whole report of zeros.
        std::vector<std::uint8_t> answer;
    };
    struct Transfer {
        std::string path;
        bool set = false;
        std::vector<std::uint8_t> bytes;  // sent, or the buffer asked for
    };

    int Open(const std::string& path) override;
    void Close(int fd) override;
    int GetRawInfo(int fd, HidrawRawInfo& info) override;
    int SetFeature(int fd, std::span<const std::uint8_t> report) override;
    int GetFeature(int fd, std::span<std::uint8_t> report) override;

    std::map<std::string, Device> devices;
    std::vector<Transfer> transfers;
    std::map<int, std::string> openFds;
    // Runs at the start of every open with the node's path, before the
    // kernel looks the node up: a test can let another device take it there.
    std::function<void(const std::string& path)> beforeOpen;

private:
    int m_nextFd = 100;
};

// udev events the test queues; the backend reads them when told the monitor
// is readable.
struct FakeEventQueue {
    std::deque<DeviceEvent> events;
    bool failToOpen = false;
    int sourcesOpen = 0;
    static constexpr int kFd = 42;

    void Add(const std::string& node) { events.push_back({DeviceEvent::Action::Add, node}); }
    void Remove(const std::string& node) { events.push_back({DeviceEvent::Action::Remove, node}); }
    DeviceEventSourceFactory Factory();
};

// A backend over a fake tree and kernel, installed as the one the platform
// calls use for the life of the fixture.
class CFakeHidSystem {
public:
    CFakeHidSystem();
    ~CFakeHidSystem();

    CFakeHidTree tree;
    CFakeHidrawIo* io = nullptr;  // owned by the backend
    FakeEventQueue events;
    std::unique_ptr<CLinuxHidBackend> backend;

    // Adds a node and tells the scripted kernel about it.
    void Plug(const std::string& node, std::uint16_t vendor, std::uint16_t product,
              const std::vector<std::uint8_t>& descriptor);
    // Both interfaces of the KX-507: hidraw<first> (data) and hidraw<first + 1> (command).
    void PlugMouse(int first);
    void UnplugMouse(int first);
    std::string DevPath(const std::string& node) const;

private:
    CLinuxHidBackend* m_previous = nullptr;
};

// The interface paths present now, walked as discovery walks them.
std::vector<std::u16string> EnumerateInterfaces();
