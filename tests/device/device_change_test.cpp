// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/device_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/transfer.h"
#include "tests/device/device_fixture.h"

namespace {

constexpr char16_t kMouseCommandName[] =
    u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col01#8&2d6a5c1b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

DEV_BROADCAST_DEVICEINTERFACE_W Broadcast(std::u16string_view name)
{
    DEV_BROADCAST_DEVICEINTERFACE_W broadcast{};
    broadcast.dbcc_size = sizeof(broadcast);
    broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast.dbcc_classguid = GUID_DEVINTERFACE_HID;
    std::copy(name.begin(), name.end(), broadcast.dbcc_name);
    return broadcast;
}

class DeviceChange : public DeviceLinkTest {
protected:
    explicit DeviceChange(SimHid::Options options = {}) : DeviceLinkTest(options) {}

    // The main window, as far as device changes go: its handler and its registration.
    void RegisterMainWindow()
    {
        windows.SetHandler(mainWnd, [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message != WM_DEVICECHANGE) {
                return 0;
            }
            outcomes.push_back(Track(wParam, reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)));
            return TRUE;
        });
        DEV_BROADCAST_DEVICEINTERFACE_W filter = Broadcast(u"");
        ASSERT_NE(RegisterDeviceNotificationW(mainWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE), nullptr);
    }

    // The change as the main window takes it: what failed is said, the meaning returned.
    DeviceChangeKind Track(WPARAM event, const DEV_BROADCAST_HDR* header)
    {
        const DeviceChangeOutcome outcome = TrackDeviceChange(g_deviceLink, ProcessImage(), DpiTableSet, event, header);
        Said(outcome.discovery);
        Said(outcome.read);
        return outcome.kind;
    }

    DeviceChangeKind Deliver(WPARAM event, std::u16string_view name = kMouseCommandName)
    {
        const DEV_BROADCAST_DEVICEINTERFACE_W broadcast = Broadcast(name);
        return Track(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(&broadcast));
    }

    int Discoveries() const { return hid.OpenCalls(u"col01") / 2; }

    const HWND mainWnd = FakeWindow(7);
    // What each change delivered to the registered window meant.
    std::vector<DeviceChangeKind> outcomes;
};

class DeviceChangeFromUnplugged : public DeviceChange {
protected:
    DeviceChangeFromUnplugged() : DeviceChange(SimHid::Options{false, 3, false}) {}
};

TEST_F(DeviceChange, EveryFourthMatchingNotificationOfEitherKindRunsDiscovery)
{
    EXPECT_EQ(Deliver(DBT_DEVICEARRIVAL), DeviceChangeKind::Nothing);
    Deliver(DBT_DEVICEARRIVAL);
    Deliver(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(g_deviceLink.hotPlugCounter, 3);
    EXPECT_EQ(hid.OpenCalls(u""), 0) << "three notifications do nothing";

    EXPECT_EQ(Deliver(DBT_DEVICEREMOVECOMPLETE), DeviceChangeKind::MouseThere);

    EXPECT_EQ(g_deviceLink.hotPlugCounter, 0);
    EXPECT_EQ(Discoveries(), 1);
    EXPECT_EQ(g_deviceLink.devicePresent, 1) << "the mouse is still there";
    EXPECT_EQ(hid.Log().Size(), 0u) << "a removal does not read the image again";
    EXPECT_EQ(g_deviceLink.deviceOpened, 0);
}

TEST_F(DeviceChange, OnlyTheTwoExactNameFormsAndInterfaceArrivalsOrRemovalsCount)
{
    Deliver(DBT_DEVICEARRIVAL, u"\\\\?\\hid#vid_04d9&pid_a09e&mi_01&col01#8&2d6a5c1b&0&0000#{x}");
    Deliver(DBT_DEVICEARRIVAL, u"\\\\?\\HID#Vid_04D9&Pid_A09E&MI_01#{x}");
    Deliver(DBT_DEVICEARRIVAL, u"\\\\?\\HID#VID_046D&PID_C077#{x}");
    Deliver(0x8001, kMouseCommandName);  // query remove
    Deliver(0x0007, kMouseCommandName);  // node change
    EXPECT_EQ(Track(DBT_DEVICEARRIVAL, nullptr), DeviceChangeKind::Nothing);
    DEV_BROADCAST_DEVICEINTERFACE_W volume = Broadcast(kMouseCommandName);
    volume.dbcc_devicetype = 2;
    Track(DBT_DEVICEARRIVAL, reinterpret_cast<const DEV_BROADCAST_HDR*>(&volume));
    EXPECT_EQ(g_deviceLink.hotPlugCounter, 0);

    Deliver(DBT_DEVICEARRIVAL, u"\\\\?\\HID#Vid_04d9&Pid_a09e&MI_00#{x}");
    Deliver(DBT_DEVICEARRIVAL, u"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#{x}");
    EXPECT_EQ(g_deviceLink.hotPlugCounter, 2);
}

TEST_F(DeviceChange, NameWithoutTerminatorIsReadOnlyUpToTheArrayEnd)
{
    DEV_BROADCAST_DEVICEINTERFACE_W broadcast = Broadcast(u"");
    std::fill(std::begin(broadcast.dbcc_name), std::end(broadcast.dbcc_name), u'x');
    const std::u16string_view form = u"VID_04D9&PID_A09E";
    std::copy(form.begin(), form.end(), std::end(broadcast.dbcc_name) - form.size());

    Track(DBT_DEVICEARRIVAL, reinterpret_cast<const DEV_BROADCAST_HDR*>(&broadcast));

    EXPECT_EQ(g_deviceLink.hotPlugCounter, 1);
}

TEST_F(DeviceChangeFromUnplugged, PluggingInTheMouseOpensAndReadsIt)
{
    RegisterMainWindow();

    hid.Plug();

    EXPECT_EQ(windows.Calls().size(), 4u) << "one arrival per collection";
    EXPECT_EQ(g_deviceLink.hotPlugCounter, 0);
    EXPECT_EQ(g_deviceLink.deviceOpened, 1);
    EXPECT_EQ(g_deviceLink.devicePresent, 1);
    EXPECT_TRUE(g_deviceImageFromMouse);
    EXPECT_TRUE(std::equal(g_deviceImage.begin(), g_deviceImage.end(), hid.Mouse().Memory().begin()));
    EXPECT_EQ(DpiTableSet, 3);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DeviceChange, UnpluggingTheMouseReportsItGoneAndLeavesTheWindowAlone)
{
    RegisterMainWindow();
    ASSERT_TRUE(Discover(g_deviceLink).Done());
    windows.Clear();

    hid.Unplug();

    EXPECT_EQ(windows.Calls().size(), 4u) << "the four removals delivered, no window touched";
    EXPECT_EQ(outcomes, (std::vector<DeviceChangeKind>{DeviceChangeKind::Nothing, DeviceChangeKind::Nothing,
                            DeviceChangeKind::Nothing, DeviceChangeKind::MouseGone}));
    EXPECT_EQ(g_deviceLink.devicePresent, 0);
    EXPECT_EQ(g_deviceLink.hotPlugCounter, 0);
}

TEST_F(DeviceChange, ArrivalWhoseReadFailsStillCountsTheMouseAsPresent)
{
    RegisterMainWindow();
    hid.Unplug();
    hid.Mouse().SetAnswerFault(SimMouse::AnswerFault::BadSignature);
    DpiTableSet = 2;

    hid.Plug();

    EXPECT_EQ(OnlyBoxText(), kMouseNotFound);
    EXPECT_EQ(OnlyBox().caption, u"ReadOperation");
    EXPECT_EQ(g_deviceLink.devicePresent, 1);
    EXPECT_EQ(DpiTableSet, 0);
    EXPECT_FALSE(g_deviceImageFromMouse);
}

TEST_F(DeviceChange, ReplugReplacesTheDeadHandlesAndTransfersWork)
{
    RegisterMainWindow();
    ASSERT_TRUE(Discover(g_deviceLink).Done());
    hid.Unplug();
    hid.Plug();
    hid.Log().Clear();

    EXPECT_TRUE(Write());

    EXPECT_EQ(hid.OpenHandles(), 2);
    EXPECT_EQ(hid.Mouse().ProtocolErrors(), 0);
}

}  // namespace
