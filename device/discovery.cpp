// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/discovery.h"

#include <string>

#include "device/device_link.h"
#include "device/hid_survey.h"
#include "platform/hid.h"
#include "platform/winuser.h"

namespace {

constexpr int kCollectionsNeeded = 2;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

enum class Step { Continue, Fail };

HANDLE OpenPath(const std::u16string& path, DWORD flags)
{
    return CreateFileW(path.c_str(), 0, kShareReadWrite, nullptr, OPEN_EXISTING, flags, nullptr);
}

// Opens one collection of the mouse into `handle`, closing the handle an
// earlier discovery left there. A failure is the open's.
bool OpenCollection(const std::u16string& path, DWORD flags, HANDLE& handle, USHORT& length, USHORT featureLength,
                    Outcome& outcome)
{
    const HANDLE opened = OpenPath(path, flags);
    if (opened == INVALID_HANDLE_VALUE) {
        outcome = {Failure::CollectionOpen, static_cast<std::uint32_t>(GetLastError())};
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

// Examines one interface; counts a collection it opens into the link.
Step ExamineInterface(DeviceLink& link, const std::u16string& path, int& opened, Outcome& outcome)
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
        if (!OpenCollection(path, FILE_ATTRIBUTE_NORMAL, link.dataHandle, link.dataReportLength,
                            caps.FeatureReportByteLength, outcome)) {
            return Step::Fail;
        }
        ++opened;
    } else if (caps.Usage == kCommandUsage && caps.FeatureReportByteLength == kCommandFeatureLength) {
        if (!OpenCollection(path, 0, link.commandHandle, link.commandReportLength, caps.FeatureReportByteLength,
                            outcome)) {
            return Step::Fail;
        }
        ++opened;
    }
    return Step::Continue;
}

}  // namespace

Outcome Discover(DeviceLink& link)
{
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return {Failure::MouseAbsent};
    }
    int opened = 0;
    for (DWORD memberIndex = 0; opened < kCollectionsNeeded; ++memberIndex) {
        bool havePath = false;
        const std::u16string path = InterfaceDevicePath(set, memberIndex, havePath);
        Outcome outcome{Failure::MouseAbsent};
        if (!havePath || ExamineInterface(link, path, opened, outcome) == Step::Fail) {
            SetupDiDestroyDeviceInfoList(set);
            return outcome;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    link.devicePresent = 1;
    return {};
}
