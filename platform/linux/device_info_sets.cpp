// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/device_info_sets.h"

#include <cstddef>
#include <cstring>

#include "platform/linux/hidraw_tree.h"

namespace {

// The interface is active (present); the only flag Windows sets for HID here.
constexpr DWORD SPINT_ACTIVE = 0x00000001;

constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);

}  // namespace

HDEVINFO CDeviceInfoSets::Create(const GUID* classGuid, DWORD flags)
{
    if (!classGuid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    auto set = std::make_unique<Set>();
    // Only HID interfaces exist here; any other class gives an empty set, as
    // Windows gives for a class without present interfaces.
    if (*classGuid == GUID_DEVINTERFACE_HID && (flags & DIGCF_DEVICEINTERFACE)) {
        for (const std::string& name : m_tree.NodeNames()) {
            const auto node = m_tree.ReadNode(name);
            for (std::size_t i = 0; node && i < node->collections.size(); ++i) {
                set->paths.push_back(InterfacePath(*node, i));
            }
        }
    }
    HDEVINFO handle = set.get();
    m_sets.emplace(handle, std::move(set));
    return handle;
}

CDeviceInfoSets::Set* CDeviceInfoSets::Find(HDEVINFO set)
{
    const auto it = m_sets.find(set);
    if (it == m_sets.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

BOOL CDeviceInfoSets::Enumerate(HDEVINFO set, const GUID* classGuid, DWORD memberIndex,
                                SP_DEVICE_INTERFACE_DATA* data)
{
    Set* found = Find(set);
    if (!found) {
        return FALSE;
    }
    if (!classGuid || !data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (*classGuid != GUID_DEVINTERFACE_HID || memberIndex >= found->paths.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->InterfaceClassGuid = GUID_DEVINTERFACE_HID;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = static_cast<std::uintptr_t>(memberIndex) + 1;  // 0 marks "not filled in"
    return TRUE;
}

BOOL CDeviceInfoSets::Detail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* data,
                             SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize, DWORD* requiredSize)
{
    Set* found = Find(set);
    if (!found) {
        return FALSE;
    }
    if (!data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) || data->Reserved == 0 ||
        data->Reserved > found->paths.size() || (!detail && detailSize != 0) ||
        (detail && (detailSize < sizeof(DWORD) || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::u16string& path = found->paths[data->Reserved - 1];
    const std::size_t pathBytes = (path.size() + 1) * sizeof(char16_t);
    const DWORD required = static_cast<DWORD>(kPathOffset + pathBytes);
    if (requiredSize) {
        *requiredSize = required;
    }
    if (!detail || detailSize < required) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    // The path runs past the declared one-element array into the caller's
    // allocation, so it is copied as bytes from the array's offset on.
    std::memcpy(reinterpret_cast<unsigned char*>(detail) + kPathOffset, path.c_str(), pathBytes);
    return TRUE;
}

BOOL CDeviceInfoSets::Destroy(HDEVINFO set)
{
    if (!Find(set)) {
        return FALSE;
    }
    m_sets.erase(set);
    return TRUE;
}
