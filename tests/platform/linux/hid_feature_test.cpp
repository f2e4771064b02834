// SPDX-License-Identifier: GPL-3.0-or-later
// Feature reports with Windows buffer semantics on hidraw: byte 0 is the
// report id (0 for a collection without ids) and only the collection's own
// report goes to the kernel.

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/hid.h"
#include "tests/platform/linux/fake_hid_system.h"
#include "tests/platform/linux/fake_window_system.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class HidFeatureReports : public testing::Test {
protected:
    void SetUp() override
    {
        FakeWindowSystem::Reset();
        system.PlugMouse(3);
        data = OpenPath(u"\\\\?\\HID#VID_04D9&PID_A09E#hidraw3#{4d1e55b2-f16f-11cf-88cb-001111000030}");
        command = OpenPath(u"\\\\?\\HID#VID_04D9&PID_A09E&Col01#hidraw4#{4d1e55b2-f16f-11cf-88cb-001111000030}");
        consumer = OpenPath(u"\\\\?\\HID#VID_04D9&PID_A09E&Col02#hidraw4#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    }

    void TearDown() override
    {
        for (HANDLE handle : {data, command, consumer}) {
            CloseHandle(handle);
        }
    }

    static HANDLE OpenPath(const char16_t* path)
    {
        const HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                          nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE);
        return handle;
    }

    CFakeHidrawIo::Device& CommandNode() { return system.io->devices[system.DevPath("hidraw4")]; }

    CFakeHidSystem system;
    HANDLE data = INVALID_HANDLE_VALUE;
    HANDLE command = INVALID_HANDLE_VALUE;
    HANDLE consumer = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST_F(HidFeatureReports, CommandAndDataReportsReachTheirNodesWhole)
{
    BYTE commandReport[8] = {0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00};
    ASSERT_TRUE(HidD_SetFeature(command, commandReport, sizeof(commandReport)));
    BYTE dataReport[65] = {0x00, 0x11, 0x22};
    dataReport[64] = 0x99;
    ASSERT_TRUE(HidD_SetFeature(data, dataReport, sizeof(dataReport)));

    ASSERT_EQ(system.io->transfers.size(), 2u);
    EXPECT_EQ(system.io->transfers[0].path, system.DevPath("hidraw4"));
    EXPECT_EQ(system.io->transfers[0].bytes, Bytes(commandReport, commandReport + 8));
    EXPECT_EQ(system.io->transfers[1].path, system.DevPath("hidraw3"));
    EXPECT_EQ(system.io->transfers[1].bytes, Bytes(dataReport, dataReport + 65));
}

TEST_F(HidFeatureReports, GetAsksForTheReportIdAndTakesOnlyAWholeAnswer)
{
    CommandNode().answer = {0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x03, 0x02};
    BYTE answer[8] = {0x01};
    ASSERT_TRUE(HidD_GetFeature(command, answer, sizeof(answer)));
    EXPECT_EQ(Bytes(answer, answer + 8), CommandNode().answer);
    ASSERT_EQ(system.io->transfers.size(), 1u);
    EXPECT_FALSE(system.io->transfers[0].set);
    EXPECT_EQ(system.io->transfers[0].bytes, Bytes({0x01, 0, 0, 0, 0, 0, 0, 0}));

    CommandNode().answer = {0x01, 0x55, 0x66};
    BYTE shortAnswer[8] = {0x01, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(HidD_GetFeature(command, shortAnswer, sizeof(shortAnswer)));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    EXPECT_EQ(Bytes(shortAnswer, shortAnswer + 8), Bytes({0x01, 9, 9, 9, 9, 9, 9, 9}));
}

TEST_F(HidFeatureReports, ALongerBufferSendsOnlyTheReport)
{
    BYTE buffer[80] = {0x01, 0xAA};
    ASSERT_TRUE(HidD_SetFeature(command, buffer, sizeof(buffer)));
    BYTE dataBuffer[80] = {};
    ASSERT_TRUE(HidD_GetFeature(data, dataBuffer, sizeof(dataBuffer)));
    ASSERT_EQ(system.io->transfers.size(), 2u);
    EXPECT_EQ(system.io->transfers[0].bytes.size(), 8u);
    EXPECT_EQ(system.io->transfers[1].bytes.size(), 65u);
}

TEST_F(HidFeatureReports, ReportsThatDoNotBelongToTheCollectionAreRefusedBeforeTheKernel)
{
    struct Case {
        const char* why;
        HANDLE* handle;
        Bytes buffer;
        DWORD error;
    };
    const std::vector<Case> cases = {
        // hidraw would send an id of 0 as an unnumbered report to a device that numbers them.
        {"id 0 on the numbered command collection", &command, Bytes(8, 0x00), ERROR_INVALID_PARAMETER},
        {"an id of the data collection's node that it does not have", &data, Bytes(65, 0x01), ERROR_INVALID_PARAMETER},
        {"the consumer collection has no feature report", &consumer, Bytes(8, 0x02), ERROR_INVALID_PARAMETER},
        {"a buffer shorter than the report", &command, Bytes(7, 0x01), ERROR_INSUFFICIENT_BUFFER},
        {"a buffer shorter than the data report", &data, Bytes(64, 0x00), ERROR_INSUFFICIENT_BUFFER},
    };
    for (const Case& c : cases) {
        Bytes buffer = c.buffer;
        EXPECT_FALSE(HidD_SetFeature(*c.handle, buffer.data(), static_cast<ULONG>(buffer.size()))) << c.why;
        EXPECT_EQ(GetLastError(), c.error) << c.why;
        EXPECT_FALSE(HidD_GetFeature(*c.handle, buffer.data(), static_cast<ULONG>(buffer.size()))) << c.why;
        EXPECT_EQ(GetLastError(), c.error) << c.why;
    }
    EXPECT_FALSE(HidD_SetFeature(command, nullptr, 8));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    BYTE one = 1;
    EXPECT_FALSE(HidD_GetFeature(command, &one, 0));
    EXPECT_TRUE(system.io->transfers.empty());
}

TEST_F(HidFeatureReports, KernelFailuresBecomeWindowsErrors)
{
    const std::vector<std::pair<int, DWORD>> cases = {
        {EPIPE, ERROR_GEN_FAILURE},  // the device stalled the request
        {ETIMEDOUT, ERROR_GEN_FAILURE},
        {ENODEV, ERROR_DEVICE_NOT_CONNECTED},
        {ESHUTDOWN, ERROR_DEVICE_NOT_CONNECTED},
    };
    for (const auto& [error, expected] : cases) {
        CommandNode().featureError = error;
        BYTE report[8] = {0x01};
        EXPECT_FALSE(HidD_SetFeature(command, report, sizeof(report)));
        EXPECT_EQ(GetLastError(), expected) << error;
        EXPECT_FALSE(HidD_GetFeature(command, report, sizeof(report)));
        EXPECT_EQ(GetLastError(), expected) << error;
        EXPECT_EQ(report[0], 0x01);
    }
}
