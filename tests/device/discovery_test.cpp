// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/discovery.h"

#include <gtest/gtest.h>

#include "tests/device/device_fixture.h"

namespace {

class Discovery : public DeviceLinkTest {
protected:
    // Nothing opened along the way is left behind, whatever the outcome.
    void ExpectNothingLeftOpen(int handlesKept)
    {
        EXPECT_EQ(hid.OpenHandles(), handlesKept);
        EXPECT_EQ(hid.OpenDeviceInfoSets(), 0);
        EXPECT_EQ(hid.OutstandingPreparsedData(), 0);
    }

    static SimHidInterface OtherVendor() { return MakeHidInterface(0x046D, 0xC077, u"mi_00", 1, 2, 0); }
};

TEST_F(Discovery, OpensCommandAndDataCollectionsAndPassesOverTheOthers)
{
    EXPECT_TRUE(Discover(g_deviceLink).Done());

    EXPECT_EQ(g_deviceLink.devicePresent, 1);
    EXPECT_NE(g_deviceLink.commandHandle, INVALID_HANDLE_VALUE);
    EXPECT_NE(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(g_deviceLink.commandReportLength, 8);
    EXPECT_EQ(g_deviceLink.dataReportLength, 65);
    EXPECT_EQ(g_deviceLink.deviceOpened, 0) << "discovery leaves the opened flag to its caller";
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectNothingLeftOpen(2);
    // Probed once each; the two it keeps are opened a second time.
    EXPECT_EQ(hid.OpenCalls(u"mi_00#"), 1);
    EXPECT_EQ(hid.OpenCalls(u"col01"), 2);
    EXPECT_EQ(hid.OpenCalls(u"col02"), 1);
    EXPECT_EQ(hid.OpenCalls(u"col03"), 2);
}

TEST_F(Discovery, OtherVendorsAreProbedAndPassedOver)
{
    hid.AddInterface(OtherVendor(), true);

    EXPECT_TRUE(Discover(g_deviceLink).Done());
    EXPECT_EQ(hid.OpenCalls(u"vid_046d"), 1);
    ExpectNothingLeftOpen(2);
}

TEST_F(Discovery, StopsAsSoonAsBothCollectionsAreOpen)
{
    SimHidInterface broken = OtherVendor();
    broken.opensBeforeFailure = 0;
    hid.AddInterface(broken);

    EXPECT_TRUE(Discover(g_deviceLink).Done());
    EXPECT_EQ(hid.OpenCalls(u"vid_046d"), 0);
}

TEST_F(Discovery, AnInterfaceThatCannotBeOpenedBeforeTheMouseEndsItWithoutMessage)
{
    SimHidInterface broken = OtherVendor();
    broken.opensBeforeFailure = 0;
    hid.AddInterface(broken, true);

    EXPECT_EQ(Discover(g_deviceLink).failure, Failure::MouseAbsent);
    EXPECT_EQ(g_deviceLink.devicePresent, 0);
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectNothingLeftOpen(0);
}

TEST_F(Discovery, FailsWithoutMessageWhenTheWalkCannotProceed)
{
    struct Case {
        const char* name;
        std::function<void(SimHid&)> breakIt;
    };
    const Case cases[] = {
        {"no device-information set", [](SimHid& h) { h.FailNextClassDevs(); }},
        {"unreadable interface detail", [](SimHid& h) { h.FailInterfaceDetail(1); }},
        {"no preparsed data", [](SimHid& h) { h.MouseCollection(SimCollectionRole::Data).noPreparsedData = true; }},
        {"invalid preparsed data",
         [](SimHid& h) { h.MouseCollection(SimCollectionRole::Command).invalidPreparsedData = true; }},
        {"mouse not plugged in", [](SimHid& h) { h.Unplug(); }},
        {"data collection reports 64 bytes",
         [](SimHid& h) { h.MouseCollection(SimCollectionRole::Data).featureReportByteLength = 64; }},
        {"command collection on another usage page",
         [](SimHid& h) { h.MouseCollection(SimCollectionRole::Command).usagePage = 0xFF00; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimHid machine;
        g_deviceLink = DeviceLink{};
        c.breakIt(machine);

        EXPECT_EQ(Discover(g_deviceLink).failure, Failure::MouseAbsent);

        EXPECT_EQ(g_deviceLink.devicePresent, 0);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(machine.OpenDeviceInfoSets(), 0);
        EXPECT_EQ(machine.OutstandingPreparsedData(), 0);
        CloseDeviceHandles(g_deviceLink);
        EXPECT_EQ(machine.OpenHandles(), 0) << "probe handles are closed on every path";
    }
}

TEST_F(Discovery, OnlyOneMatchingCollectionLeavesThePresentFlagAlone)
{
    g_deviceLink.devicePresent = 1;
    hid.MouseCollection(SimCollectionRole::Data).usage = 1;

    EXPECT_EQ(Discover(g_deviceLink).failure, Failure::MouseAbsent);
    EXPECT_EQ(g_deviceLink.devicePresent, 1);
}

TEST_F(Discovery, CollectionThatCannotBeKeptOpenReportsTheErrorCode)
{
    // The probe succeeds; the second open, to keep the handle, is refused.
    hid.MouseCollection(SimCollectionRole::Data).opensBeforeFailure = 1;

    const Outcome outcome = Discover(g_deviceLink);

    EXPECT_EQ(outcome.failure, Failure::CollectionOpen);
    EXPECT_EQ(outcome.systemError, 5u);
    const OutcomeMessage message = MessageOf(outcome, kMouseNotFound);
    EXPECT_EQ(message.text, u"CreateFile Error Code:5");
    EXPECT_EQ(message.caption, u"") << "the application's name";
    EXPECT_NE(g_deviceLink.commandHandle, INVALID_HANDLE_VALUE) << "a handle opened before the failure stays";
    EXPECT_EQ(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
    ExpectNothingLeftOpen(1);
}

TEST_F(Discovery, RediscoveryClosesTheHandlesItReplaces)
{
    ASSERT_TRUE(Discover(g_deviceLink).Done());
    const HANDLE firstCommand = g_deviceLink.commandHandle;

    ASSERT_TRUE(Discover(g_deviceLink).Done());

    EXPECT_NE(g_deviceLink.commandHandle, firstCommand);
    ExpectNothingLeftOpen(2);
}

TEST_F(Discovery, MouseRemovedAtAnyPointOfTheWalkFailsCleanly)
{
    for (int call = 1; call <= 40; ++call) {
        SCOPED_TRACE(call);
        SimHid machine;
        g_deviceLink = DeviceLink{};
        machine.InjectCallFault(call, SimHid::CallFault::Unplug);

        const Outcome found = Discover(g_deviceLink);

        if (!found.Done()) {
            EXPECT_EQ(g_deviceLink.devicePresent, 0);
        }
        EXPECT_EQ(machine.OpenDeviceInfoSets(), 0);
        EXPECT_EQ(machine.OutstandingPreparsedData(), 0);
        CloseDeviceHandles(g_deviceLink);
        EXPECT_EQ(machine.OpenHandles(), 0);
    }
}

}  // namespace
