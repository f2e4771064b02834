// SPDX-License-Identifier: GPL-3.0-or-later
// The HID and device-setup calls as the simulated machine answers them:
// enumeration snapshots, handles that die with their device, preparsed data
// and feature reports routed to the firmware model and the wire log.
#include <algorithm>
#include <cstring>

#include "platform/sim/firmware_scrambling.h"
#include "platform/sim/sim_cookies.h"
#include "platform/sim/sim_hid.h"

// The capabilities behind a preparsed-data pointer handed out by the simulation.
struct HIDP_PREPARSED_DATA {
    HIDP_CAPS caps;
    bool valid;
};

namespace {

constexpr DWORD kSpintActive = 0x00000001;

bool SamePath(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return SimLower(x) == SimLower(y);
           });
}

}  // namespace

// ---- Enumeration -----------------------------------------------------------

HDEVINFO SimHid::GetClassDevs(const GUID* classGuid, DWORD flags)
{
    const auto fault = CountCall(false);
    if (m_failClassDevs || fault == CallFault::Fail || classGuid == nullptr ||
        (flags & DIGCF_DEVICEINTERFACE) == 0) {
        m_failClassDevs = false;
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<Interface*> snapshot;
    if (*classGuid == GUID_DEVINTERFACE_HID) {
        for (auto& entry : m_interfaces) {
            if (entry->present || (flags & DIGCF_PRESENT) == 0) {
                snapshot.push_back(entry.get());
            }
        }
    }
    const std::uintptr_t cookie = m_nextCookie += kSimHandleStep;
    m_sets[cookie] = std::move(snapshot);
    return CookieHandle(cookie);
}

BOOL SimHid::EnumDeviceInterfaces(HDEVINFO set, const GUID* classGuid, DWORD memberIndex,
                                  SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    const auto fault = CountCall(false);
    const auto it = m_sets.find(HandleCookie(set));
    if (it == m_sets.end()) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    if (interfaceData == nullptr || interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) ||
        classGuid == nullptr) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    if (fault == CallFault::Fail) {
        return FailWith(ERROR_GEN_FAILURE);
    }
    if (memberIndex >= it->second.size()) {
        return FailWith(ERROR_NO_MORE_ITEMS);
    }
    interfaceData->InterfaceClassGuid = *classGuid;
    interfaceData->Flags = kSpintActive;
    interfaceData->Reserved = memberIndex + 1;
    return TRUE;
}

BOOL SimHid::GetDeviceInterfaceDetail(HDEVINFO set, const SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize)
{
    const auto fault = CountCall(false);
    const auto it = m_sets.find(HandleCookie(set));
    if (it == m_sets.end()) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    if (interfaceData == nullptr || interfaceData->Reserved == 0 || interfaceData->Reserved > it->second.size()) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    const DWORD memberIndex = static_cast<DWORD>(interfaceData->Reserved - 1);
    const std::u16string& path = it->second[memberIndex]->description.path;
    const std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    const DWORD needed = static_cast<DWORD>(pathOffset + (path.size() + 1) * sizeof(char16_t));
    if (requiredSize != nullptr) {
        *requiredSize = needed;
    }
    if (detail == nullptr) {
        return FailWith(detailSize == 0 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    if (detailSize < needed) {
        return FailWith(ERROR_INSUFFICIENT_BUFFER);
    }
    if (fault == CallFault::Fail || m_failDetailAt == memberIndex) {
        return FailWith(ERROR_GEN_FAILURE);
    }
    char* bytes = reinterpret_cast<char*>(detail);
    std::memcpy(bytes + pathOffset, path.c_str(), (path.size() + 1) * sizeof(char16_t));
    return TRUE;
}

BOOL SimHid::DestroyDeviceInfoList(HDEVINFO set)
{
    CountCall(false);
    if (m_sets.erase(HandleCookie(set)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

// ---- Handles ----------------------------------------------------------------

HANDLE SimHid::CreateFile(const char16_t* path, DWORD creationDisposition)
{
    const auto fault = CountCall(false);
    if (path == nullptr || creationDisposition != OPEN_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    ++m_openCalls[path];
    Interface* target = nullptr;
    for (auto& entry : m_interfaces) {
        if (entry->present && SamePath(entry->description.path, path)) {
            target = entry.get();
            break;
        }
    }
    if (target == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const int limit = target->description.opensBeforeFailure;
    if (fault == CallFault::Fail || (limit >= 0 && target->opens >= limit)) {
        SetLastError(fault == CallFault::Fail ? ERROR_GEN_FAILURE : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    ++target->opens;
    const std::uintptr_t cookie = m_nextCookie += kSimHandleStep;
    m_handles[cookie] = {target, target->generation};
    return CookieHandle(cookie);
}

BOOL SimHid::Close(HANDLE handle)
{
    if (m_handles.erase(HandleCookie(handle)) == 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

SimHid::Interface* SimHid::Live(HANDLE handle, bool& known)
{
    const auto it = m_handles.find(HandleCookie(handle));
    known = it != m_handles.end();
    if (!known) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Interface* target = it->second.target;
    if (!target->present || target->generation != it->second.generation) {
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return nullptr;
    }
    return target;
}

// ---- HID --------------------------------------------------------------------

BOOLEAN SimHid::GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes)
{
    const auto fault = CountCall(false);
    bool known = false;
    Interface* target = Live(device, known);
    if (target == nullptr || attributes == nullptr) {
        return FALSE;
    }
    if (fault == CallFault::Fail) {
        return static_cast<BOOLEAN>(FailWith(ERROR_GEN_FAILURE));
    }
    attributes->Size = sizeof(HIDD_ATTRIBUTES);
    attributes->VendorID = target->description.vendorId;
    attributes->ProductID = target->description.productId;
    attributes->VersionNumber = target->description.versionNumber;
    return TRUE;
}

BOOLEAN SimHid::GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData)
{
    const auto fault = CountCall(false);
    bool known = false;
    Interface* target = Live(device, known);
    if (target == nullptr || preparsedData == nullptr) {
        return FALSE;
    }
    if (fault == CallFault::Fail || target->description.noPreparsedData) {
        return static_cast<BOOLEAN>(FailWith(ERROR_GEN_FAILURE));
    }
    HIDP_CAPS caps{};
    caps.Usage = target->description.usage;
    caps.UsagePage = target->description.usagePage;
    caps.FeatureReportByteLength = target->description.featureReportByteLength;
    *preparsedData = new HIDP_PREPARSED_DATA{caps, !target->description.invalidPreparsedData};
    ++m_preparsedCount;
    return TRUE;
}

BOOLEAN SimHid::FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    if (preparsedData == nullptr) {
        return FALSE;
    }
    delete preparsedData;
    --m_preparsedCount;
    return TRUE;
}

NTSTATUS SimHid::GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities)
{
    if (preparsedData == nullptr || !preparsedData->valid || capabilities == nullptr) {
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    *capabilities = preparsedData->caps;
    return HIDP_STATUS_SUCCESS;
}

BOOLEAN SimHid::Feature(bool set, HANDLE device, void* report, ULONG length)
{
    const auto fault = CountCall(true);
    bool known = false;
    Interface* target = Live(device, known);  // sets the error of a bad or dead handle
    auto* bytes = static_cast<std::uint8_t*>(report);
    bool ok = false;
    if (target != nullptr && fault == CallFault::Fail) {
        SetLastError(ERROR_GEN_FAILURE);
    } else if (target != nullptr) {
        if (report == nullptr || length != target->description.featureReportByteLength ||
            target->description.role == SimCollectionRole::Other) {
            SetLastError(ERROR_INVALID_PARAMETER);
        } else {
            const bool command = target->description.role == SimCollectionRole::Command;
            if (command) {
                ok = set ? m_mouse.SetCommand(bytes, length) : m_mouse.GetAnswer(bytes, length);
            } else {
                ok = set ? m_mouse.SetData(bytes, length) : m_mouse.GetData(bytes, length);
            }
            if (!ok) {
                SetLastError(ERROR_GEN_FAILURE);
            }
        }
    }
    const auto it = m_handles.find(HandleCookie(device));
    LogFeature(set, it == m_handles.end() ? nullptr : it->second.target, report, length, ok);
    return ok ? TRUE : FALSE;
}

void SimHid::LogFeature(bool set, const Interface* target, const void* report, ULONG length, bool ok)
{
    WireEntry entry;
    entry.kind = set ? WireEntry::Kind::SetFeature : WireEntry::Kind::GetFeature;
    entry.ok = ok;
    if (target == nullptr) {
        entry.target = WireEntry::Target::BadHandle;
    } else if (target->description.role == SimCollectionRole::Command) {
        entry.target = WireEntry::Target::Command;
    } else if (target->description.role == SimCollectionRole::Data) {
        entry.target = WireEntry::Target::Data;
    } else {
        entry.target = WireEntry::Target::OtherCollection;
    }
    if (report != nullptr) {
        const auto* bytes = static_cast<const std::uint8_t*>(report);
        entry.bytes.assign(bytes, bytes + length);
        entry.plain = entry.bytes;
        if (length == SimMouse::kCommandLength || length == SimMouse::kDataLength) {
            FirmwareDecodeReport(entry.plain.data(), length);
        }
    }
    m_log.Add(std::move(entry));
}
