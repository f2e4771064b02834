// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Linux HID backend: the device-setup, HID and notification calls of
// platform/hid.h and platform/dbt.h on hidraw nodes, sysfs and a udev monitor.
// The program uses one instance over the real /sys and /dev; tests install
// their own over a fake tree with a scripted kernel.

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "platform/linux/device_info_sets.h"
#include "platform/linux/device_notifier.h"
#include "platform/linux/hid_handles.h"
#include "platform/linux/hidraw_io.h"
#include "platform/linux/hidraw_tree.h"

struct LinuxHidRoots {
    std::filesystem::path sys = "/sys";
    std::filesystem::path dev = "/dev";
};

class CLinuxHidBackend {
public:
    // The real backend: kernel calls and a udev monitor.
    CLinuxHidBackend();
    CLinuxHidBackend(LinuxHidRoots roots, std::unique_ptr<IHidrawIo> io, DeviceEventSourceFactory openEvents);

    CDeviceInfoSets& Sets() { return m_sets; }
    CHidHandles& Handles() { return m_handles; }
    // Made at the first registration (platform/linux/device_notifier.cpp),
    // so that a program that registers nothing links no notifier and no
    // window framework.
    std::shared_ptr<CDeviceNotifier>& NotifierSlot() { return m_notifier; }
    const CHidrawTree& Tree() const { return m_tree; }
    const DeviceEventSourceFactory& OpenEvents() const { return m_openEvents; }

    HDEVINFO CreateSet(const GUID* classGuid, DWORD flags);
    HANDLE Open(const char16_t* path, DWORD desiredAccess, DWORD creationDisposition);

private:
    CHidrawTree m_tree;
    std::unique_ptr<IHidrawIo> m_io;
    CDeviceInfoSets m_sets;
    CHidHandles m_handles;
    DeviceEventSourceFactory m_openEvents;
    std::shared_ptr<CDeviceNotifier> m_notifier;
    // Paths opened since the newest device-information set was made.
    std::set<std::u16string> m_openedDuringWalk;
};

// The backend the platform calls use: the one installed, else the real one.
CLinuxHidBackend& CurrentLinuxHidBackend();

// Installs the backend the platform calls use from now on and returns the
// previous one; the caller keeps ownership. nullptr restores the real backend.
CLinuxHidBackend* SetLinuxHidBackend(CLinuxHidBackend* backend);
