// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a user can learn about a device node: who owns it, whether it carries
// an access-control list, whether this process may open it for reading and
// writing, and which other processes hold it open. For a diagnosis, never
// for the transfers themselves.

#include <string>
#include <vector>

struct DeviceNodeHolder {
    int pid = 0;
    std::string name;  // the process's command name
};

struct DeviceNodeStatus {
    bool exists = false;
    unsigned mode = 0;          // permission bits
    std::string owner;          // user name, or the number when unknown
    std::string group;
    bool hasAcl = false;        // an access-control list beyond the mode
    int openError = 0;          // errno of a read-write open; 0 when it opened
    std::vector<DeviceNodeHolder> holders;  // other processes, as far as /proc shows them
};

DeviceNodeStatus InspectDeviceNode(const std::string& path);

// The text of errno `error`.
std::string ErrorText(int error);
