// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's HID and device-setup calls, answered by the current
// simulated machine.
#include "platform/dbt.h"
#include "platform/hid.h"
#include "platform/sim/sim_hid.h"

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, const char16_t*, HWND, DWORD flags)
{
    return SimHid::Current().GetClassDevs(classGuid, flags);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, void*, const GUID* classGuid, DWORD memberIndex,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    return SimHid::Current().EnumDeviceInterfaces(set, classGuid, memberIndex, interfaceData);
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize, void*)
{
    return SimHid::Current().GetDeviceInterfaceDetail(set, interfaceData, detail, detailSize, requiredSize);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) { return SimHid::Current().DestroyDeviceInfoList(set); }

HANDLE CreateFileW(const char16_t* path, DWORD, DWORD, void*, DWORD creationDisposition, DWORD, HANDLE)
{
    return SimHid::Current().CreateFile(path, creationDisposition);
}

BOOL CloseHandle(HANDLE handle) { return SimHid::Current().Close(handle); }

BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes)
{
    return SimHid::Current().GetAttributes(device, attributes);
}

BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData)
{
    return SimHid::Current().GetPreparsedData(device, preparsedData);
}

BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    return SimHid::Current().FreePreparsedData(preparsedData);
}

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities)
{
    return SimHid::Current().GetCaps(preparsedData, capabilities);
}

BOOLEAN HidD_SetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength)
{
    return SimHid::Current().Feature(true, device, reportBuffer, reportBufferLength);
}

BOOLEAN HidD_GetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength)
{
    return SimHid::Current().Feature(false, device, reportBuffer, reportBufferLength);
}

