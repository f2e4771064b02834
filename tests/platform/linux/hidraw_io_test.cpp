// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel side of the hidraw calls, on what a test can safely open: a
// plain file answers every hidraw ioctl with "not a device".

#include "platform/linux/hidraw_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/hid.h"
#include "platform/linux/hid_handles.h"

TEST(KernelHidrawIo, RefusesReportsTheIoctlCannotCarry)
{
    const std::filesystem::path file = std::filesystem::path(testing::TempDir()) / "kx-not-a-hidraw-node";
    std::ofstream(file).put('x');
    const auto io = MakeKernelHidrawIo();
    const int fd = io->Open(file.string());
    ASSERT_GE(fd, 0);

    // The ioctl's size field has 14 bits: a longer report would change the
    // request number itself, so it must never reach the kernel.
    std::vector<std::uint8_t> huge(kMaxHidrawReportBytes + 1, 0x01);
    EXPECT_EQ(io->SetFeature(fd, huge), -EINVAL);
    EXPECT_EQ(io->GetFeature(fd, huge), -EINVAL);
    EXPECT_EQ(io->SetFeature(fd, {}), -EINVAL);

    std::vector<std::uint8_t> report(8, 0x01);
    EXPECT_EQ(io->SetFeature(fd, report), -ENOTTY);
    EXPECT_EQ(HidErrorFromErrno(ENOTTY), ERROR_GEN_FAILURE);
    HidrawRawInfo info;
    EXPECT_EQ(io->GetRawInfo(fd, info), -ENOTTY);
    io->Close(fd);

    EXPECT_EQ(io->Open((file.parent_path() / "kx-no-such-node").string()), -ENOENT);
    std::filesystem::remove(file);
}
