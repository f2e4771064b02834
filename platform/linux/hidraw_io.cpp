// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/hidraw_io.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

int ResultOrErrno(int result) { return result < 0 ? -errno : result; }

class CKernelHidrawIo final : public IHidrawIo {
public:
    int Open(const std::string& path) override
    {
        return ResultOrErrno(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    }

    void Close(int fd) override { ::close(fd); }

    int GetRawInfo(int fd, HidrawRawInfo& info) override
    {
        hidraw_devinfo raw{};
        const int result = ResultOrErrno(::ioctl(fd, HIDIOCGRAWINFO, &raw));
        if (result >= 0) {
            info.busType = raw.bustype;
            info.vendor = static_cast<std::uint16_t>(raw.vendor);
            info.product = static_cast<std::uint16_t>(raw.product);
        }
        return result;
    }

    int SetFeature(int fd, std::span<const std::uint8_t> report) override
    {
        if (report.empty() || report.size() > kMaxHidrawReportBytes) {
            return -EINVAL;
        }
        // The ioctl takes a writable buffer even for a set.
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        return ResultOrErrno(::ioctl(fd, HIDIOCSFEATURE(buffer.size()), buffer.data()));
    }

    int GetFeature(int fd, std::span<std::uint8_t> report) override
    {
        if (report.empty() || report.size() > kMaxHidrawReportBytes) {
            return -EINVAL;
        }
        return ResultOrErrno(::ioctl(fd, HIDIOCGFEATURE(report.size()), report.data()));
    }
};

}  // namespace

std::unique_ptr<IHidrawIo> MakeKernelHidrawIo() { return std::make_unique<CKernelHidrawIo>(); }
