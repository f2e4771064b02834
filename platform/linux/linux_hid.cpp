// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/linux_hid.h"

#include "platform/linux/device_events.h"

namespace {

CLinuxHidBackend* g_backend = nullptr;

CLinuxHidBackend& Backend() { return CurrentLinuxHidBackend(); }

}  // namespace

CLinuxHidBackend& CurrentLinuxHidBackend()
{
    if (!g_backend) {
        // Never destroyed: at exit the message loop's fd watchers may be gone
        // before it, and the kernel closes its nodes and monitor anyway.
        static CLinuxHidBackend* const real = new CLinuxHidBackend();
        return *real;
    }
    return *g_backend;
}

CLinuxHidBackend::CLinuxHidBackend() : CLinuxHidBackend(LinuxHidRoots{}, MakeKernelHidrawIo(), OpenUdevHidrawMonitor)
{
}

CLinuxHidBackend::CLinuxHidBackend(LinuxHidRoots roots, std::unique_ptr<IHidrawIo> io,
                                   DeviceEventSourceFactory openEvents)
    : m_tree(std::move(roots.sys), std::move(roots.dev)),
      m_io(std::move(io)),
      m_sets(m_tree),
      m_handles(m_tree, *m_io),
      m_openEvents(std::move(openEvents))
{
}

HDEVINFO CLinuxHidBackend::CreateSet(const GUID* classGuid, DWORD flags)
{
    m_openedDuringWalk.clear();
    return m_sets.Create(classGuid, flags);
}

// When may a node that refuses the user still give a query handle? Discovery
// walks a device-information set and opens each interface once, with no
// access, to read its attributes; other people's devices (a keyboard's node
// is root's) must not stop that walk, as on Windows they do not. A second
// open of the same interface during the walk is the one the program keeps
// for feature reports: it gets the real error, so a missing permission on the
// mouse shows as "CreateFile Error Code:5" instead of a mouse that does not answer.
HANDLE CLinuxHidBackend::Open(const char16_t* path, DWORD desiredAccess, DWORD creationDisposition)
{
    bool mayQuery = false;
    if (path && desiredAccess == 0 && m_sets.AnyAlive()) {
        mayQuery = m_openedDuringWalk.insert(path).second;
    }
    return m_handles.Open(path, creationDisposition, mayQuery);
}

CLinuxHidBackend* SetLinuxHidBackend(CLinuxHidBackend* backend)
{
    CLinuxHidBackend* previous = g_backend;
    g_backend = backend;
    return previous;
}

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, const char16_t*, HWND, DWORD flags)
{
    return Backend().CreateSet(classGuid, flags);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, void*, const GUID* classGuid, DWORD memberIndex,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    return Backend().Sets().Enumerate(set, classGuid, memberIndex, interfaceData);
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize, void*)
{
    return Backend().Sets().Detail(set, interfaceData, detail, detailSize, requiredSize);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) { return Backend().Sets().Destroy(set); }

HANDLE CreateFileW(const char16_t* path, DWORD desiredAccess, DWORD, void*, DWORD creationDisposition, DWORD,
                   HANDLE)
{
    return Backend().Open(path, desiredAccess, creationDisposition);
}

BOOL CloseHandle(HANDLE handle) { return Backend().Handles().Close(handle); }

BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes)
{
    return Backend().Handles().GetAttributes(device, attributes);
}

BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData)
{
    return Backend().Handles().GetPreparsedData(device, preparsedData);
}

BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    return Backend().Handles().FreePreparsedData(preparsedData);
}

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsedData, HIDP_CAPS* capabilities)
{
    return Backend().Handles().GetCaps(preparsedData, capabilities);
}

BOOLEAN HidD_SetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength)
{
    return Backend().Handles().SetFeature(device, reportBuffer, reportBufferLength);
}

BOOLEAN HidD_GetFeature(HANDLE device, void* reportBuffer, ULONG reportBufferLength)
{
    return Backend().Handles().GetFeature(device, reportBuffer, reportBufferLength);
}

