// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-setup and HID services in the shape the Windows HID class offers them.
// System code (device discovery and the transfer protocol) calls only these;
// a backend chosen at link time implements them: platform/linux for a real
// mouse through hidraw, platform/sim for the simulated mouse.

#include "platform/windef.h"

// HID device-interface class {4D1E55B2-F16F-11CF-88CB-001111000030}.
inline constexpr GUID GUID_DEVINTERFACE_HID = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// ---- Device setup -------------------------------------------------------

using HDEVINFO = void*;  // INVALID_HANDLE_VALUE when the set cannot be had

inline constexpr DWORD DIGCF_PRESENT = 0x00000002;
inline constexpr DWORD DIGCF_DEVICEINTERFACE = 0x00000010;

struct SP_DEVICE_INTERFACE_DATA {
    DWORD cbSize;
    GUID InterfaceClassGuid;
    DWORD Flags;
    std::uintptr_t Reserved;
};

// Variable-length, as on Windows: the caller asks for the required size first,
// allocates that many bytes and sets cbSize to sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W).
// DevicePath is a NUL-terminated UTF-16 path that runs past the declared array.
struct SP_DEVICE_INTERFACE_DETAIL_DATA_W {
    DWORD cbSize;
    char16_t DevicePath[1];
};

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, const char16_t* enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, void* deviceInfoData, const GUID* classGuid, DWORD memberIndex,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData);
// With detail == nullptr and detailSize == 0 it fails with ERROR_INSUFFICIENT_BUFFER and
// stores the size needed in *requiredSize.
BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize, void* deviceInfoData);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);

// ---- Opening a device path --------------------------------------------

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

HANDLE CreateFileW(const char16_t* path, DWORD desiredAccess, DWORD shareMode, void* securityAttributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);

// Error codes as Windows numbers them; backends translate their own errors.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

// The last error of the calling thread. Every platform call that fails sets it.
DWORD GetLastError();
void SetLastError(DWORD error);

// ---- HID ------------------------------------------------------------------

struct HIDD_ATTRIBUTES {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
};

struct HIDP_PREPARSED_DATA;  // opaque, owned by the backend
using PHIDP_PREPARSED_DATA = HIDP_PREPARSED_DATA*;

struct HIDP_CAPS {
    USHORT Usage;
    USHORT UsagePage;
    USHORT InputReportByteLength;
    USHORT OutputReportByteLength;
    USHORT FeatureReportByteLength;
};

inline constexpr NTSTATUS HIDP_STATUS_SUCCESS = 0x00110000;
inline constexpr NTSTATUS HIDP_STATUS_INVALID_PREPARSED_DATA = static_cast<NTSTATUS>(0xC0110001);

BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes);
BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData);
BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData);
NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities);

// Feature reports with Windows buffer semantics: byte 0 is the report id
// (0 for a collection without report ids), length counts that byte.
BOOLEAN HidD_SetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength);
BOOLEAN HidD_GetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength);
