// SPDX-License-Identifier: GPL-3.0-or-later
// The program's discovery walk on this backend: what a user without root sees
// with and without the udev rule, and with other people's devices present.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "device/device_link.h"
#include "device/discovery.h"
#include "device/hid_survey.h"
#include "platform/winuser.h"
#include "tests/platform/linux/fake_hid_system.h"
#include "tests/platform/linux/fake_window_system.h"
#include "tests/platform/linux/hid_descriptors.h"
#include "tests/support/process_state.h"

namespace {

class DiscoveryOnLinux : public testing::Test {
protected:
    void SetUp() override
    {
        FakeWindowSystem::Reset();
        ResetProcessState();
    }

    void TearDown() override { ResetProcessState(); }

    void RefuseUser(const std::string& node) { system.io->devices[system.DevPath(node)].openError = EACCES; }

    CFakeHidSystem system;

private:
};

}  // namespace

TEST_F(DiscoveryOnLinux, FindsBothCollectionsBehindRootOnlyDevices)
{
    system.Plug("hidraw0", 0x046D, 0xC31C, kKeyboardWithIds);
    system.Plug("hidraw1", 0x1234, 0x0001, kComposite);
    RefuseUser("hidraw0");
    RefuseUser("hidraw1");
    system.PlugMouse(2);

    EXPECT_TRUE(Discover(g_deviceLink).Done());
    EXPECT_EQ(g_deviceLink.dataReportLength, 65);
    EXPECT_EQ(g_deviceLink.commandReportLength, 8);

    BYTE command[8] = {0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0, 0};
    EXPECT_TRUE(HidD_SetFeature(g_deviceLink.commandHandle, command, g_deviceLink.commandReportLength));
    BYTE block[65] = {};
    EXPECT_TRUE(HidD_GetFeature(g_deviceLink.dataHandle, block, g_deviceLink.dataReportLength));
    ASSERT_EQ(system.io->transfers.size(), 2u);
    EXPECT_EQ(system.io->transfers[0].path, system.DevPath("hidraw3"));
    EXPECT_EQ(system.io->transfers[1].path, system.DevPath("hidraw2"));
    EXPECT_EQ(system.io->openFds.size(), 2u) << "only the two kept handles stay open";
}

TEST_F(DiscoveryOnLinux, AMouseThatRefusesTheUserShowsTheRealErrorCode)
{
    system.PlugMouse(0);
    RefuseUser("hidraw0");
    RefuseUser("hidraw1");
    const Outcome outcome = Discover(g_deviceLink);
    EXPECT_EQ(outcome.failure, Failure::CollectionOpen);
    EXPECT_EQ(outcome.systemError, 5u);
    EXPECT_TRUE(system.io->openFds.empty());
}

TEST_F(DiscoveryOnLinux, AnInterfaceThatCannotBeOpenedAtAllStillEndsTheWalk)
{
    // A node that sysfs lists but that is gone from /dev is not a permission
    // matter: discovery stops there without a message.
    system.Plug("hidraw0", 0x046D, 0xC077, kPlainMouse);
    system.io->devices.erase(system.DevPath("hidraw0"));
    system.PlugMouse(1);
    EXPECT_EQ(Discover(g_deviceLink).failure, Failure::MouseAbsent);
}

TEST_F(DiscoveryOnLinux, ANodeTakenByAnotherDeviceBetweenTheCheckAndTheOpenIsNotKept)
{
    system.PlugMouse(0);
    // The data collection's node is opened twice: for its attributes, then to
    // keep. Just before the second open the mouse goes and a keyboard gets
    // the same node number.
    int opens = 0;
    system.io->beforeOpen = [this, &opens](const std::string& path) {
        if (path == system.DevPath("hidraw0") && ++opens == 2) {
            system.UnplugMouse(0);
            system.Plug("hidraw0", 0x046D, 0xC31C, kKeyboardWithIds);
        }
    };
    const Outcome outcome = Discover(g_deviceLink);
    EXPECT_EQ(outcome.failure, Failure::CollectionOpen);
    EXPECT_EQ(outcome.systemError, 2u);
    EXPECT_EQ(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(system.io->openFds.empty()) << "the keyboard's node was kept open";
}

// The diagnosis walks the same interfaces: every one listed in order, the
// mouse's with their capabilities, a root-only node still asked who it is,
// and nothing left open.
TEST_F(DiscoveryOnLinux, TheSurveyListsEveryInterfaceWithTheMousesCapabilities)
{
    system.Plug("hidraw0", 0x046D, 0xC31C, kKeyboardWithIds);
    RefuseUser("hidraw0");
    system.PlugMouse(1);

    const std::vector<SurveyedCollection> survey = SurveyHidCollections();

    ASSERT_EQ(survey.size(), 5u) << "the keyboard, the mouse's data collection and its second interface's three";
    EXPECT_TRUE(survey[0].probed);
    EXPECT_EQ(survey[0].attributes.VendorID, 0x046D);
    EXPECT_FALSE(survey[0].haveCaps) << "only the mouse's collections are asked for their capabilities";
    std::vector<std::pair<USHORT, USHORT>> mouse;
    for (std::size_t i = 1; i < survey.size(); ++i) {
        EXPECT_TRUE(survey[i].probed && survey[i].haveCaps);
        mouse.emplace_back(survey[i].caps.Usage, survey[i].caps.FeatureReportByteLength);
    }
    EXPECT_EQ(mouse[0], std::make_pair(USHORT{2}, USHORT{65}));
    EXPECT_NE(std::find(mouse.begin(), mouse.end(), std::make_pair(USHORT{6}, USHORT{8})), mouse.end());
    EXPECT_TRUE(system.io->openFds.empty());
    EXPECT_TRUE(system.io->transfers.empty()) << "asking is not talking to the mouse";
}
