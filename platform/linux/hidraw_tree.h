// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hidraw nodes as sysfs describes them, and the device-interface paths the
// backend gives their top-level collections. Everything here is read from
// world-readable sysfs files, so it works for nodes the user may not open.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/report_descriptor.h"

// One hidraw node: the HID device behind it and its top-level collections,
// each of which the HID class presents as an interface of its own.
struct HidrawNode {
    std::string name;  // "hidraw3"
    std::uint32_t busType = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t version = 0;  // bcdDevice of a USB device, else 0
    std::vector<TopLevelCollection> collections;
};

class CHidrawTree {
public:
    // `sysRoot` stands for /sys and `devRoot` for /dev; tests pass a fake tree.
    CHidrawTree(std::filesystem::path sysRoot, std::filesystem::path devRoot);

    // The names of the hidraw nodes present, in the order of their numbers.
    std::vector<std::string> NodeNames() const;
    // nullopt when the node is gone or sysfs does not describe it. A descriptor
    // that cannot be parsed gives a node without collections.
    std::optional<HidrawNode> ReadNode(std::string_view name) const;
    std::string DeviceNodePath(std::string_view name) const;

private:
    std::filesystem::path m_sysRoot;
    std::filesystem::path m_devRoot;
};

// "hidraw" followed by a number: the only names the backend ever turns into a path.
bool IsHidrawNodeName(std::string_view name);

// The device-interface path of one collection, shaped as Windows writes HID
// interface names so that the ids read "VID_04D9&PID_A09E":
//   \\?\HID#VID_04D9&PID_A09E&Col02#hidraw3#{4d1e55b2-f16f-11cf-88cb-001111000030}
// "&ColNN" (1-based) appears only on nodes with more than one collection, as on Windows.
std::u16string InterfacePath(const HidrawNode& node, std::size_t collection);

struct InterfaceRef {
    std::string node;
    std::size_t collection = 0;  // 0-based
};

// The node and collection a path names; nullopt when it is not shaped like an
// interface path. Whether it still names a present collection is for the
// caller to check, by comparing with InterfacePath of the node as it is now.
std::optional<InterfaceRef> ParseInterfacePath(std::u16string_view path);
