// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Handles on HID interfaces: what CreateFileW opens, and the feature-report,
// attribute and capability calls made on them.
//
// A handle is a hidraw node opened for reading and writing, together with the
// top-level collection its path named: feature reports are checked against
// that collection as the HID class checks them.
//
// Feature-report buffers keep their Windows layout on hidraw, because the
// kernel reads byte 0 the same way: for a numbered report it is the id and
// goes out with the data; a 0 means "no id", the kernel sends bytes 1 onward
// and, on a read, puts the answer from byte 1 on and leaves the 0 in byte 0.
// Either way the length counts byte 0. What hidraw does not check is whether
// the id fits the device: a 0 on a device that numbers its reports would go
// out as an unnumbered report. So byte 0 must name a feature report of the
// handle's own collection (0 only for a collection without ids), the buffer
// must hold that report, and exactly the report's length goes to the kernel.
//
// A handle may also be a query handle, without the node open. Windows lets
// anyone open a HID interface with no read or write access to read its
// attributes and description; a hidraw node has no such mode, but sysfs holds
// the same facts for everyone. The backend hands out a query handle when the
// node refuses the user and the caller asked for no access (see CanQuery in
// linux_hid.cpp for when). Feature reports on it fail with ERROR_ACCESS_DENIED.

#include <map>
#include <memory>
#include <string>

#include "platform/hid.h"
#include "platform/linux/hidraw_tree.h"

class IHidrawIo;

class CHidHandles {
public:
    CHidHandles(const CHidrawTree& tree, IHidrawIo& io) : m_tree(tree), m_io(io) {}
    ~CHidHandles();

    // `mayQuery`: a node that refuses the user gives a query handle instead of an error.
    HANDLE Open(const char16_t* path, DWORD creationDisposition, bool mayQuery);
    BOOL Close(HANDLE handle);

    BOOLEAN GetAttributes(HANDLE handle, HIDD_ATTRIBUTES* attributes);
    BOOLEAN GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* preparsedData);
    BOOLEAN FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData);
    NTSTATUS GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities);
    BOOLEAN SetFeature(HANDLE handle, void* buffer, ULONG length);
    BOOLEAN GetFeature(HANDLE handle, void* buffer, ULONG length);

private:
    struct Handle {
        int fd = -1;  // -1: a query handle
        HidrawNode node;
        std::size_t collection = 0;
    };

    // Defined where HIDP_PREPARSED_DATA is complete.
    struct PreparsedDeleter {
        void operator()(HIDP_PREPARSED_DATA* data) const;
    };

    Handle* Find(HANDLE handle);
    // Whether the device behind the open node is the one sysfs described.
    bool IsDeviceOf(int fd, const HidrawNode& node);
    // The length in bytes of the feature report whose id is buffer[0], after
    // checking it belongs to the handle's collection and fits the buffer; 0
    // (last error set) when it does not.
    std::size_t FeatureLength(const Handle& handle, const void* buffer, ULONG length);

    const CHidrawTree& m_tree;
    IHidrawIo& m_io;
    std::map<const void*, std::unique_ptr<Handle>> m_handles;
    std::map<const void*, std::unique_ptr<HIDP_PREPARSED_DATA, PreparsedDeleter>> m_preparsed;
};

// The Windows error code for a failed hidraw call (errno value).
DWORD HidErrorFromErrno(int error);
