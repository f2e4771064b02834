// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated machine itself: what other tests, the demo and the scripted
// runner rely on when they drive it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/sim_hid.h"
#include "settings/device_image.h"
#include "settings/key_vocabulary.h"
#include "tests/device/window_double.h"

namespace {

constexpr std::u16string_view kHidClass = u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::vector<std::u16string> EnumeratedPaths()
{
    std::vector<std::u16string> paths;
    const HDEVINFO set =
        SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, i, &data); ++i) {
        DWORD required = 0;
        EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        std::vector<std::max_align_t> storage(required / sizeof(std::max_align_t) + 1);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        EXPECT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
        paths.emplace_back(detail->DevicePath);
    }
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    SetupDiDestroyDeviceInfoList(set);
    return paths;
}

struct Received {
    WPARAM event;
    std::u16string name;
};

TEST(SimMachine, EnumeratesTheMouseCollectionsWithWindowsStylePaths)
{
    SimHid hid;
    const auto paths = EnumeratedPaths();

    ASSERT_EQ(paths.size(), 4u);
    EXPECT_TRUE(paths[1].starts_with(u"\\\\?\\hid#vid_04d9&pid_a09e&mi_01&col01#8&"));
    for (const auto& path : paths) {
        EXPECT_TRUE(path.ends_with(kHidClass));
    }
    hid.Unplug();
    EXPECT_TRUE(EnumeratedPaths().empty());
}

TEST(SimMachine, PlugAndUnplugSendOneNotificationPerCollectionToRegisteredWindows)
{
    SimHid hid(SimHid::Options{false});
    RecordingWindows windows;
    std::vector<Received> received;
    const HWND window = FakeWindow(3);
    windows.SetHandler(window, [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(message, WM_DEVICECHANGE);
        const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
        EXPECT_EQ(broadcast->dbcc_devicetype, DBT_DEVTYP_DEVICEINTERFACE);
        EXPECT_EQ(broadcast->dbcc_classguid, GUID_DEVINTERFACE_HID);
        received.push_back({wParam, broadcast->dbcc_name});
        return TRUE;
    });
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
    const HDEVNOTIFY registration = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    ASSERT_NE(registration, nullptr);

    hid.Plug();
    hid.Unplug();

    ASSERT_EQ(received.size(), 8u);
    EXPECT_EQ(received[0].event, DBT_DEVICEARRIVAL);
    EXPECT_TRUE(received[0].name.starts_with(u"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#8&"));
    EXPECT_TRUE(received[1].name.starts_with(u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col01#8&"));
    EXPECT_TRUE(received[1].name.ends_with(kHidClass));
    EXPECT_EQ(received[4].event, DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(received[7].name, received[3].name);

    EXPECT_TRUE(UnregisterDeviceNotification(registration));
    hid.Plug();
    EXPECT_EQ(received.size(), 8u) << "nothing after unregistering";
}

TEST(SimMachine, HandlesDieWithTheMouseAndStayDeadAfterReplug)
{
    SimHid hid;
    const HANDLE handle = CreateFileW(hid.MouseCollection(SimCollectionRole::Command).path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    HIDD_ATTRIBUTES attributes{};
    EXPECT_TRUE(HidD_GetAttributes(handle, &attributes));
    EXPECT_EQ(attributes.VendorID, 0x04D9);

    hid.Unplug();
    hid.Plug();

    BYTE report[8] = {1};
    EXPECT_FALSE(HidD_GetFeature(handle, report, sizeof(report)));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_EQ(hid.OpenHandles(), 0);
}

TEST(SimMachine, RemovalDuringACallHoldsItsNotificationsUntilDelivered)
{
    SimHid hid;
    RecordingWindows windows;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    RegisterDeviceNotificationW(FakeWindow(4), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    const HANDLE handle = CreateFileW(hid.MouseCollection(SimCollectionRole::Command).path.c_str(), 0, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    hid.InjectFeatureFault(1, SimHid::CallFault::Unplug);

    BYTE report[8] = {1};
    EXPECT_FALSE(HidD_GetFeature(handle, report, sizeof(report)));
    EXPECT_FALSE(hid.IsPlugged());
    EXPECT_TRUE(windows.Calls().empty());

    hid.DeliverPendingNotifications();
    EXPECT_EQ(windows.Calls().size(), 4u);
    CloseHandle(handle);
}

TEST(SimMachine, FactoryConfigurationCarriesTheSelectorAndTheFunctionTables)
{
    for (std::uint8_t table = 0; table < 4; ++table) {
        const auto memory = SimMouse::FactoryConfiguration(table);
        EXPECT_EQ(memory[kImageDpiTableSelector], table);
        EXPECT_TRUE(std::equal(kConsumerTableBytes.begin(), kConsumerTableBytes.end(),
                               memory.begin() + kImageConsumerTable));
        EXPECT_TRUE(std::equal(kHotKeyTableBytes.begin(), kHotKeyTableBytes.end(),
                               memory.begin() + kImageHotKeyTable));
    }
}

TEST(SimMachine, CollectionsWithoutFeatureReportsRejectThem)
{
    SimHid hid;
    const HANDLE pointer = CreateFileW(hid.MouseCollection(SimCollectionRole::Other).path.c_str(), 0, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    BYTE report[8] = {1};

    EXPECT_FALSE(HidD_SetFeature(pointer, report, sizeof(report)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(hid.Log().Summary(), "?>!");
    CloseHandle(pointer);
}

}  // namespace
