// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hid_survey.h"

#include <cstddef>
#include <memory>
#include <new>

#include "device/device_link.h"

std::u16string InterfaceDevicePath(HDEVINFO set, DWORD memberIndex, bool& ok)
{
    ok = false;
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, memberIndex, &interfaceData)) {
        return {};
    }
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return {};
    }
    // The detail is variable-length; keep it in storage aligned for its header.
    auto storage = std::make_unique<std::max_align_t[]>(required / sizeof(std::max_align_t) + 1);
    auto* detail = new (storage.get()) SP_DEVICE_INTERFACE_DETAIL_DATA_W;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, required, nullptr, nullptr)) {
        return {};
    }
    // The path ends at its NUL and never past the size the call asked for.
    const std::size_t maxChars =
        (required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(char16_t);
    const std::u16string_view path(detail->DevicePath, maxChars);
    ok = true;
    return std::u16string(path.substr(0, path.find(u'\0')));
}

namespace {

void Probe(SurveyedCollection& collection)
{
    const HANDLE probe = CreateFileW(collection.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        collection.openError = GetLastError();
        return;
    }
    collection.attributes.Size = sizeof(collection.attributes);
    collection.probed = HidD_GetAttributes(probe, &collection.attributes) != FALSE;
    if (!collection.probed) {
        collection.openError = GetLastError();
    }
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (collection.probed && collection.attributes.VendorID == kMouseVendorId &&
        collection.attributes.ProductID == kMouseProductId && HidD_GetPreparsedData(probe, &preparsed)) {
        collection.haveCaps = HidP_GetCaps(preparsed, &collection.caps) == HIDP_STATUS_SUCCESS;
        HidD_FreePreparsedData(preparsed);
    }
    CloseHandle(probe);
}

}  // namespace

std::vector<SurveyedCollection> SurveyHidCollections()
{
    std::vector<SurveyedCollection> collections;
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return collections;
    }
    for (DWORD memberIndex = 0;; ++memberIndex) {
        bool havePath = false;
        SurveyedCollection collection;
        collection.path = InterfaceDevicePath(set, memberIndex, havePath);
        if (!havePath) {
            break;
        }
        Probe(collection);
        collections.push_back(std::move(collection));
    }
    SetupDiDestroyDeviceInfoList(set);
    return collections;
}
