// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few system calls the backend makes on a hidraw node, behind an interface
// so that tests can stand a scripted device in for the kernel.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// What HIDIOCGRAWINFO tells about the device behind a node.
struct HidrawRawInfo {
    std::uint32_t busType = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// Results are a value >= 0 on success and -errno on failure, as the kernel
// gives them.
class IHidrawIo {
public:
    virtual ~IHidrawIo() = default;
    // Opens the node for reading and writing; returns the descriptor.
    virtual int Open(const std::string& path) = 0;
    virtual void Close(int fd) = 0;
    virtual int GetRawInfo(int fd, HidrawRawInfo& info) = 0;
    // Byte 0 of `report` is the report id, 0 for a device without ids; the
    // result counts that byte, as the buffer does.
    virtual int SetFeature(int fd, std::span<const std::uint8_t> report) = 0;
    virtual int GetFeature(int fd, std::span<std::uint8_t> report) = 0;
};

// The ioctl size field has 14 bits: a longer report cannot even be asked for.
inline constexpr std::size_t kMaxHidrawReportBytes = (1u << 14) - 1u;

std::unique_ptr<IHidrawIo> MakeKernelHidrawIo();
