// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/discovery.h"

#include <cstdio>
#include <string>

#include "device/device_link.h"
#include "device/hid_survey.h"
#include "platform/hid.h"
#include "platform/msg_box.h"
#include "platform/str_conv.h"
#include "platform/winuser.h"

namespace {

constexpr int kCollectionsNeeded = 2;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

enum class Step { Continue, Fail };

HANDLE OpenPath(const std::u16string& path, DWORD flags)
{
    return CreateFileW(path.c_str(), 0, kShareReadWrite, nullptr, OPEN_EXISTING, flags, nullptr);
}

void ShowOpenError(HWND owner)
{
    char text[64];
    std::snprintf(text, sizeof(text), "CreateFile Error Code:%d", static_cast<int>(GetLastError()));
    const std::u16string message = Utf8ToUtf16(text);
    MessageBoxW(owner, message.c_str(), nullptr, MB_OK);
}

// Opens one collection of the mouse into `handle`, closing the handle an
// earlier discovery left there.
bool OpenCollection(HWND owner, const std::u16string& path, DWORD flags, HANDLE& handle, USHORT& length,
                    USHORT featureLength)
{
    const HANDLE opened = OpenPath(path, flags);
    if (opened == INVALID_HANDLE_VALUE) {
        ShowOpenError(owner);
        return false;
    }
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    handle = opened;
    length = featureLength;
    return true;
}

// The capabilities of the collection at `path` when it is the mouse's;
// `isMouse` false for other devices. Fails when the path cannot be probed.
bool ProbeMouseCollection(const std::u16string& path, bool& isMouse, HIDP_CAPS& caps)
{
    isMouse = false;
    const HANDLE probe = OpenPath(path, 0);
    if (probe == INVALID_HANDLE_VALUE) {
        return false;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(probe, &attributes) || attributes.VendorID != kMouseVendorId ||
        attributes.ProductID != kMouseProductId) {
        CloseHandle(probe);
        return true;
    }
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    const bool havePreparsed = HidD_GetPreparsedData(probe, &preparsed);
    CloseHandle(probe);
    if (!havePreparsed) {
        return false;
    }
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    if (status == HIDP_STATUS_INVALID_PREPARSED_DATA) {
        return false;
    }
    isMouse = true;
    return true;
}

// Examines one interface; counts a collection it opens.
Step ExamineInterface(HWND owner, const std::u16string& path, int& opened)
{
    bool isMouse = false;
    HIDP_CAPS caps{};
    if (!ProbeMouseCollection(path, isMouse, caps)) {
        return Step::Fail;
    }
    if (!isMouse || caps.UsagePage != kGenericDesktopPage) {
        return Step::Continue;
    }
    if (caps.Usage == kDataUsage && caps.FeatureReportByteLength == kDataFeatureLength) {
        if (!OpenCollection(owner, path, FILE_ATTRIBUTE_NORMAL, g_deviceLink.dataHandle,
                            g_deviceLink.dataReportLength, caps.FeatureReportByteLength)) {
            return Step::Fail;
        }
        ++opened;
    } else if (caps.Usage == kCommandUsage && caps.FeatureReportByteLength == kCommandFeatureLength) {
        if (!OpenCollection(owner, path, 0, g_deviceLink.commandHandle, g_deviceLink.commandReportLength,
                            caps.FeatureReportByteLength)) {
            return Step::Fail;
        }
        ++opened;
    }
    return Step::Continue;
}

}  // namespace

int Discover(HWND owner)
{
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int opened = 0;
    for (DWORD memberIndex = 0; opened < kCollectionsNeeded; ++memberIndex) {
        bool havePath = false;
        const std::u16string path = InterfaceDevicePath(set, memberIndex, havePath);
        if (!havePath || ExamineInterface(owner, path, opened) == Step::Fail) {
            SetupDiDestroyDeviceInfoList(set);
            return 0;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    g_deviceLink.devicePresent = 1;
    return 1;
}
