// SPDX-License-Identifier: GPL-3.0-or-later
// Enumeration, opening, attributes and capabilities over a fake sysfs and
// /dev tree, through the same calls discovery makes.

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/hid.h"
#include "tests/platform/linux/fake_hid_system.h"
#include "tests/platform/linux/fake_window_system.h"
#include "tests/platform/linux/hid_descriptors.h"

namespace {

constexpr std::u16string_view kGuid = u"{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::u16string Path(std::u16string_view ids, std::u16string_view node)
{
    return u"\\\\?\\HID#" + std::u16string(ids) + u"#" + std::u16string(node) + u"#" + std::u16string(kGuid);
}

HANDLE Open(const std::u16string& path, DWORD access = 0)
{
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

HIDP_CAPS CapsOf(HANDLE handle)
{
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    EXPECT_TRUE(HidD_GetPreparsedData(handle, &preparsed));
    HIDP_CAPS caps{};
    EXPECT_EQ(HidP_GetCaps(preparsed, &caps), HIDP_STATUS_SUCCESS);
    EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
    return caps;
}

class HidInterfaces : public testing::Test {
protected:
    void SetUp() override { FakeWindowSystem::Reset(); }

    CFakeHidSystem system;
    const std::u16string mouseData = Path(u"VID_04D9&PID_A09E", u"hidraw3");
    const std::u16string mouseCommand = Path(u"VID_04D9&PID_A09E&Col01", u"hidraw4");
};

}  // namespace

TEST_F(HidInterfaces, OneInterfacePerTopLevelCollectionInNodeNumberOrder)
{
    system.Plug("hidraw10", 0x046D, 0xC077, kPlainMouse);
    system.PlugMouse(3);
    system.Plug("hidraw9", 0x1234, 0x0001, kComposite);

    const std::vector<std::u16string> expected = {
        mouseData,
        mouseCommand,
        Path(u"VID_04D9&PID_A09E&Col02", u"hidraw4"),
        Path(u"VID_04D9&PID_A09E&Col03", u"hidraw4"),
        Path(u"VID_1234&PID_0001&Col01", u"hidraw9"),
        Path(u"VID_1234&PID_0001&Col02", u"hidraw9"),
        Path(u"VID_1234&PID_0001&Col03", u"hidraw9"),
        Path(u"VID_046D&PID_C077", u"hidraw10"),
    };
    EXPECT_EQ(EnumerateInterfaces(), expected);
}

TEST_F(HidInterfaces, NodesWithoutAUsableDescriptionOfferNoInterface)
{
    system.Plug("hidraw0", 0x1111, 0x2222, {0xA1, 0x01});  // never closed
    system.tree.AddNode("hidraw1", 0x1111, 0x3333, kPlainMouse);
    std::filesystem::remove(system.tree.Roots().sys / "class/hidraw/hidraw1/device/uevent");
    system.PlugMouse(2);
    EXPECT_EQ(EnumerateInterfaces().size(), 4u);
}

TEST_F(HidInterfaces, DetailFollowsTheTwoCallProtocol)
{
    system.PlugMouse(3);
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data) - 1;
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, 0, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    data.cbSize = sizeof(data);
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, 4, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    ASSERT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, 0, &data));
    EXPECT_EQ(data.InterfaceClassGuid, GUID_DEVINTERFACE_HID);

    DWORD required = 0;
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (mouseData.size() + 1) * 2);

    std::vector<std::uint64_t> storage(required / 8 + 1, ~0ull);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) + 2;
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required - 2, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
    const auto* path = reinterpret_cast<const char16_t*>(reinterpret_cast<const char*>(detail) +
                                                         offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath));
    EXPECT_EQ(std::u16string(path), mouseData);

    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, 0, &data));
}

TEST_F(HidInterfaces, OpenedCollectionsReportTheMouseIdsAndTheirCaps)
{
    system.PlugMouse(3);
    const HANDLE data = Open(mouseData);
    const HANDLE command = Open(mouseCommand);
    ASSERT_NE(data, INVALID_HANDLE_VALUE);
    ASSERT_NE(command, INVALID_HANDLE_VALUE);

    HIDD_ATTRIBUTES attributes{};
    ASSERT_TRUE(HidD_GetAttributes(command, &attributes));
    EXPECT_EQ(attributes.Size, sizeof(HIDD_ATTRIBUTES));
    EXPECT_EQ(attributes.VendorID, 0x04D9);
    EXPECT_EQ(attributes.ProductID, 0xA09E);
    EXPECT_EQ(attributes.VersionNumber, 0x0100);

    const HIDP_CAPS dataCaps = CapsOf(data);
    EXPECT_EQ(dataCaps.UsagePage, 1);
    EXPECT_EQ(dataCaps.Usage, 2);
    EXPECT_EQ(dataCaps.FeatureReportByteLength, 65);
    const HIDP_CAPS commandCaps = CapsOf(command);
    EXPECT_EQ(commandCaps.Usage, 6);
    EXPECT_EQ(commandCaps.FeatureReportByteLength, 8);
    EXPECT_EQ(commandCaps.InputReportByteLength, 9);

    EXPECT_TRUE(CloseHandle(data));
    EXPECT_TRUE(CloseHandle(command));
    EXPECT_TRUE(system.io->openFds.empty());
}

TEST_F(HidInterfaces, OpenFailuresCarryWindowsErrorCodes)
{
    system.PlugMouse(3);
    system.io->devices[system.DevPath("hidraw3")].openError = EACCES;
    system.io->devices[system.DevPath("hidraw4")].openError = EBUSY;

    EXPECT_EQ(Open(mouseData), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(mouseCommand), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);

    const std::vector<std::u16string> missing = {
        Path(u"VID_04D9&PID_A09E", u"hidraw7"),              // no such node
        Path(u"VID_04D9&PID_A09E&Col04", u"hidraw4"),        // no such collection
        Path(u"VID_04D9&PID_A09E", u"hidraw4"),              // node has several collections
        Path(u"VID_046D&PID_C077&Col01", u"hidraw4"),        // another device's ids
        Path(u"VID_04D9&PID_A09E", u"hidraw3/../hidraw3"),   // not a node name
        u"\\\\?\\HID#VID_04D9&PID_A09E#hidraw3",            // no class
        u"/dev/hidraw3",
        u"",
    };
    for (const std::u16string& path : missing) {
        EXPECT_EQ(Open(path), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(CreateFileW(nullptr, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileW(mouseData.c_str(), 0, 0, nullptr, 2 /* CREATE_ALWAYS */, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(HidInterfaces, AStalePathDoesNotOpenTheDeviceThatNowHasItsNode)
{
    system.PlugMouse(3);
    system.UnplugMouse(3);
    system.Plug("hidraw3", 0x046D, 0xC077, kPlainMouse);
    EXPECT_EQ(Open(mouseData), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(HidInterfaces, DuringAWalkANodeThatRefusesTheUserIsFirstOpenedForQueryOnly)
{
    system.Plug("hidraw0", 0x046D, 0xC31C, kKeyboardWithIds);
    system.io->devices[system.DevPath("hidraw0")].openError = EACCES;
    const std::u16string keyboard = Path(u"VID_046D&PID_C31C", u"hidraw0");

    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    const HANDLE probe = Open(keyboard);
    ASSERT_NE(probe, INVALID_HANDLE_VALUE);
    HIDD_ATTRIBUTES attributes{};
    ASSERT_TRUE(HidD_GetAttributes(probe, &attributes)) << "attributes come from sysfs";
    EXPECT_EQ(attributes.VendorID, 0x046D);
    EXPECT_EQ(CapsOf(probe).Usage, 6);
    BYTE report[9] = {1};
    EXPECT_FALSE(HidD_GetFeature(probe, report, sizeof(report)));
    EXPECT_FALSE(HidD_SetFeature(probe, report, sizeof(report)));
    EXPECT_TRUE(CloseHandle(probe));

    EXPECT_EQ(Open(keyboard), INVALID_HANDLE_VALUE) << "the second open is for use";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(keyboard, GENERIC_READ | GENERIC_WRITE), INVALID_HANDLE_VALUE);
    SetupDiDestroyDeviceInfoList(set);

    EXPECT_EQ(Open(keyboard), INVALID_HANDLE_VALUE) << "outside a walk the real error shows at once";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    const HDEVINFO next = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr, DIGCF_DEVICEINTERFACE);
    const HANDLE again = Open(keyboard);
    EXPECT_NE(again, INVALID_HANDLE_VALUE) << "a new walk probes again";
    CloseHandle(again);
    SetupDiDestroyDeviceInfoList(next);
}

TEST_F(HidInterfaces, CallsOnUnknownHandlesFailCleanly)
{
    system.PlugMouse(3);
    const HANDLE data = Open(mouseData);
    ASSERT_TRUE(CloseHandle(data));
    for (HANDLE bad : {data, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr)}) {
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        HIDD_ATTRIBUTES attributes{};
        EXPECT_FALSE(HidD_GetAttributes(bad, &attributes));
        PHIDP_PREPARSED_DATA preparsed = nullptr;
        EXPECT_FALSE(HidD_GetPreparsedData(bad, &preparsed));
        BYTE report[65] = {};
        EXPECT_FALSE(HidD_GetFeature(bad, report, sizeof(report)));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
    HIDP_CAPS caps{};
    auto* forged = reinterpret_cast<PHIDP_PREPARSED_DATA>(&caps);
    EXPECT_EQ(HidP_GetCaps(forged, &caps), HIDP_STATUS_INVALID_PREPARSED_DATA);
    EXPECT_FALSE(HidD_FreePreparsedData(forged));
    EXPECT_TRUE(system.io->openFds.empty());
}
