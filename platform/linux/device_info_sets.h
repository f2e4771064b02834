// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-information sets of the HID interface class: a snapshot of the
// interface paths present when the set was made, walked by member index.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid.h"

class CHidrawTree;

class CDeviceInfoSets {
public:
    explicit CDeviceInfoSets(const CHidrawTree& tree) : m_tree(tree) {}

    HDEVINFO Create(const GUID* classGuid, DWORD flags);
    BOOL Enumerate(HDEVINFO set, const GUID* classGuid, DWORD memberIndex, SP_DEVICE_INTERFACE_DATA* data);
    BOOL Detail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* data, SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail,
                DWORD detailSize, DWORD* requiredSize);
    BOOL Destroy(HDEVINFO set);
    bool AnyAlive() const { return !m_sets.empty(); }

private:
    struct Set {
        std::vector<std::u16string> paths;
    };

    Set* Find(HDEVINFO set);

    const CHidrawTree& m_tree;
    std::map<const void*, std::unique_ptr<Set>> m_sets;
};
