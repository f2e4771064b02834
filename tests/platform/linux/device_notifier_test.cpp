// SPDX-License-Identifier: GPL-3.0-or-later
// Device-interface notifications: what the window receives when hidraw nodes
// come and go, read from a scripted udev monitor the way the message loop
// reads it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "platform/dbt.h"
#include "platform/hid.h"
#include "platform/linux/device_events.h"
#include "tests/platform/linux/fake_hid_system.h"
#include "tests/platform/linux/fake_window_system.h"
#include "tests/platform/linux/hid_descriptors.h"

namespace {

HWND const kWindow = reinterpret_cast<HWND>(0x1000);

DEV_BROADCAST_DEVICEINTERFACE_W HidFilter()
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
    return filter;
}

class DeviceNotifications : public testing::Test {
protected:
    void SetUp() override { FakeWindowSystem::Reset(); }

    HDEVNOTIFY Register()
    {
        const DEV_BROADCAST_DEVICEINTERFACE_W filter = HidFilter();
        return RegisterDeviceNotificationW(kWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }

    void LoopRuns() { FakeWindowSystem::SignalReadable(FakeEventQueue::kFd); }

    std::vector<std::u16string> Names(WPARAM code) const
    {
        std::vector<std::u16string> names;
        for (const SentDeviceChange& m : FakeWindowSystem::sent) {
            if (m.code == code) {
                names.push_back(m.name);
            }
        }
        return names;
    }

    CFakeHidSystem system;
};

}  // namespace

TEST_F(DeviceNotifications, OnePlugInSendsOneArrivalPerCollectionAndUnplugAsManyRemovals)
{
    ASSERT_NE(Register(), nullptr);
    system.PlugMouse(5);
    system.events.Add("hidraw5");
    system.events.Add("hidraw6");
    LoopRuns();

    // The mouse has four top-level collections over its two nodes: Windows
    // announces each collection interface, and so does this backend.
    ASSERT_EQ(FakeWindowSystem::sent.size(), 4u);
    for (const SentDeviceChange& m : FakeWindowSystem::sent) {
        EXPECT_EQ(m.window, kWindow);
        EXPECT_EQ(m.message, WM_DEVICECHANGE);
        EXPECT_EQ(m.code, DBT_DEVICEARRIVAL);
        EXPECT_EQ(m.deviceType, DBT_DEVTYP_DEVICEINTERFACE);
        EXPECT_EQ(m.size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W));
        EXPECT_EQ(m.classGuid, GUID_DEVINTERFACE_HID);
        EXPECT_NE(m.name.find(u"VID_04D9&PID_A09E"), std::u16string::npos);
    }
    EXPECT_EQ(Names(DBT_DEVICEARRIVAL), EnumerateInterfaces()) << "names are the paths discovery opens";

    const std::vector<std::u16string> arrived = Names(DBT_DEVICEARRIVAL);
    system.UnplugMouse(5);
    system.events.Remove("hidraw5");
    system.events.Remove("hidraw6");
    LoopRuns();
    EXPECT_EQ(Names(DBT_DEVICEREMOVECOMPLETE), arrived) << "removal names come from memory, sysfs is gone";
}

TEST_F(DeviceNotifications, NodesPresentAtRegistrationAnnounceTheirRemoval)
{
    system.Plug("hidraw0", 0x046D, 0xC077, kPlainMouse);
    system.PlugMouse(1);
    ASSERT_NE(Register(), nullptr);
    system.UnplugMouse(1);
    system.events.Remove("hidraw2");
    LoopRuns();
    EXPECT_EQ(FakeWindowSystem::Count(DBT_DEVICEREMOVECOMPLETE), 3);
    EXPECT_EQ(FakeWindowSystem::Count(DBT_DEVICEARRIVAL), 0);
}

TEST_F(DeviceNotifications, EventsThatNameNoKnownNodeSendNothing)
{
    ASSERT_NE(Register(), nullptr);
    system.events.Remove("hidraw9");                                         // never seen
    system.events.Add("hidraw8");                                            // gone before we looked
    system.events.events.push_back({DeviceEvent::Action::Other, "hidraw8"});  // "change", "bind"
    system.events.Add("../../etc");
    LoopRuns();
    EXPECT_TRUE(FakeWindowSystem::sent.empty());
    EXPECT_TRUE(system.events.events.empty()) << "every pending event is read";
}

TEST_F(DeviceNotifications, ANodeNumberReusedWithoutItsRemovalAnnouncesTheOldDeviceGone)
{
    system.Plug("hidraw0", 0x046D, 0xC077, kPlainMouse);
    ASSERT_NE(Register(), nullptr);
    system.tree.RemoveNode("hidraw0");
    system.PlugMouse(0);
    system.events.Add("hidraw0");
    LoopRuns();
    ASSERT_EQ(FakeWindowSystem::sent.size(), 2u);
    EXPECT_EQ(FakeWindowSystem::sent[0].code, DBT_DEVICEREMOVECOMPLETE);
    EXPECT_NE(FakeWindowSystem::sent[0].name.find(u"VID_046D&PID_C077"), std::u16string::npos);
    EXPECT_EQ(FakeWindowSystem::sent[1].code, DBT_DEVICEARRIVAL);
    EXPECT_NE(FakeWindowSystem::sent[1].name.find(u"VID_04D9&PID_A09E"), std::u16string::npos);
}

TEST_F(DeviceNotifications, AHandlerMayWalkTheDevicesAndUnregister)
{
    const HDEVNOTIFY handle = Register();
    ASSERT_NE(handle, nullptr);
    std::size_t seenByHandler = 0;
    FakeWindowSystem::handler = [&](const SentDeviceChange&) {
        seenByHandler = EnumerateInterfaces().size();
        EXPECT_TRUE(UnregisterDeviceNotification(handle));
    };
    system.PlugMouse(0);
    system.events.Add("hidraw0");
    system.events.Add("hidraw1");
    LoopRuns();
    EXPECT_EQ(seenByHandler, 4u);
    EXPECT_EQ(FakeWindowSystem::sent.size(), 1u) << "nothing is sent after unregistering";
    EXPECT_TRUE(FakeWindowSystem::watches.empty());
    EXPECT_EQ(system.events.sourcesOpen, 0);
    EXPECT_FALSE(UnregisterDeviceNotification(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(DeviceNotifications, RegistrationRefusesWhatItCannotServe)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter = HidFilter();
    EXPECT_EQ(RegisterDeviceNotificationW(nullptr, &filter, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotificationW(kWindow, nullptr, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotificationW(kWindow, &filter, 4 /* all interface classes */), nullptr);
    filter.dbcc_devicetype = 3;  // a port
    EXPECT_EQ(RegisterDeviceNotificationW(kWindow, &filter, 0), nullptr);
    filter = HidFilter();
    filter.dbcc_size = sizeof(DEV_BROADCAST_HDR);  // too short to carry a class
    EXPECT_EQ(RegisterDeviceNotificationW(kWindow, &filter, 0), nullptr);
    filter = HidFilter();
    filter.dbcc_classguid.Data1 ^= 1;
    EXPECT_EQ(RegisterDeviceNotificationW(kWindow, &filter, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    system.events.failToOpen = true;
    EXPECT_EQ(Register(), nullptr);
    system.events.failToOpen = false;
    FakeWindowSystem::failWatch = true;
    EXPECT_EQ(Register(), nullptr);
    EXPECT_EQ(system.events.sourcesOpen, 0);
}

TEST_F(DeviceNotifications, AFilterIsReadOnlyAsFarAsItsSizeSays)
{
    // The filter as the program declares it: 32 bytes, nothing after the class.
    const DEV_BROADCAST_DEVICEINTERFACE_W full = HidFilter();
    auto bytes = std::make_unique<std::uint32_t[]>(8);
    std::memcpy(bytes.get(), &full, 32);
    EXPECT_NE(RegisterDeviceNotificationW(kWindow, bytes.get(), 0), nullptr);
}

TEST(UdevMonitor, NeverBlocksWhenNothingIsPending)
{
    const auto monitor = OpenUdevHidrawMonitor();
    if (!monitor) {
        GTEST_SKIP() << "no udev here";
    }
    EXPECT_GE(monitor->Fd(), 0);
    const auto start = std::chrono::steady_clock::now();
    while (monitor->Receive()) {
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
