// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/platform/linux/fake_hid_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "platform/hid.h"
#include "tests/platform/linux/hid_descriptors.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t kMouseVendor = 0x04D9;
constexpr std::uint16_t kMouseProduct = 0xA09E;

void WriteFile(const fs::path& path, std::string_view text)
{
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string NodeNumber(const std::string& name) { return name.substr(std::string("hidraw").size()); }

class CFakeEventSource final : public IDeviceEventSource {
public:
    explicit CFakeEventSource(FakeEventQueue& queue) : m_queue(queue) { ++m_queue.sourcesOpen; }
    ~CFakeEventSource() override { --m_queue.sourcesOpen; }
    int Fd() const override { return FakeEventQueue::kFd; }
    std::optional<DeviceEvent> Receive() override
    {
        if (m_queue.events.empty()) {
            return std::nullopt;
        }
        DeviceEvent event = m_queue.events.front();
        m_queue.events.pop_front();
        return event;
    }

private:
    FakeEventQueue& m_queue;
};

}  // namespace

CFakeHidTree::CFakeHidTree()
{
    std::string pattern = (fs::path(testing::TempDir()) / "kx-hid-XXXXXX").string();
    m_root = mkdtemp(pattern.data());
    fs::create_directories(m_root / "sys" / "class" / "hidraw");
    fs::create_directories(m_root / "dev");
}

CFakeHidTree::~CFakeHidTree()
{
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

void CFakeHidTree::AddNode(const std::string& name, std::uint16_t vendor, std::uint16_t product,
                           const std::vector<std::uint8_t>& descriptor, std::uint16_t bcdDevice)
{
    char ids[64];
    std::snprintf(ids, sizeof(ids), "0003:%04X:%04X.%04X", vendor, product, std::stoi(NodeNumber(name)));
    const fs::path usbDevice = m_root / "sys" / "devices" / ("usb-" + name);
    const fs::path hidDevice = usbDevice / "1-1:1.0" / ids;
    fs::create_directories(hidDevice);
    char bcd[16];
    std::snprintf(bcd, sizeof(bcd), "%04x\n", bcdDevice);
    WriteFile(usbDevice / "bcdDevice", bcd);
    char uevent[128];
    std::snprintf(uevent, sizeof(uevent), "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=Fake %s\n", vendor,
                  product, name.c_str());
    WriteFile(hidDevice / "uevent", uevent);
    WriteFile(hidDevice / "report_descriptor",
              std::string_view(reinterpret_cast<const char*>(descriptor.data()), descriptor.size()));
    const fs::path classEntry = m_root / "sys" / "class" / "hidraw" / name;
    fs::create_directories(classEntry);
    fs::create_directory_symlink(hidDevice, classEntry / "device");
    WriteFile(m_root / "dev" / name, "");
}

void CFakeHidTree::RemoveNode(const std::string& name)
{
    fs::remove_all(m_root / "sys" / "class" / "hidraw" / name);
    fs::remove_all(m_root / "sys" / "devices" / ("usb-" + name));
    fs::remove(m_root / "dev" / name);
}

int CFakeHidrawIo::Open(const std::string& path)
{
    if (beforeOpen) {
        beforeOpen(path);
    }
    const auto it = devices.find(path);
    if (it == devices.end()) {
        return -ENOENT;
    }
    if (it->second.openError != 0) {
        return -it->second.openError;
    }
    const int fd = m_nextFd++;
    openFds[fd] = path;
    return fd;
}

void CFakeHidrawIo::Close(int fd) { EXPECT_EQ(openFds.erase(fd), 1u) << "closed an fd that was not open"; }

int CFakeHidrawIo::GetRawInfo(int fd, HidrawRawInfo& info)
{
    const auto it = openFds.find(fd);
    if (it == openFds.end()) {
        return -EBADF;
    }
    info = devices[it->second].info;
    return 0;
}

int CFakeHidrawIo::SetFeature(int fd, std::span<const std::uint8_t> report)
{
    const auto it = openFds.find(fd);
    if (it == openFds.end()) {
        return -EBADF;
    }
    transfers.push_back({it->second, true, {report.begin(), report.end()}});
    const Device& device = devices[it->second];
    return device.featureError ? -device.featureError : static_cast<int>(report.size());
}

int CFakeHidrawIo::GetFeature(int fd, std::span<std::uint8_t> report)
{
    const auto it = openFds.find(fd);
    if (it == openFds.end()) {
        return -EBADF;
    }
    transfers.push_back({it->second, false, {report.begin(), report.end()}});
    const Device& device = devices[it->second];
    if (device.featureError) {
        return -device.featureError;
    }
    // Without an answer of its own a device answers a whole report of zeros.
    if (device.answer.empty()) {
        std::fill(report.begin() + 1, report.end(), 0);
        return static_cast<int>(report.size());
    }
    const std::size_t count = std::min(report.size(), device.answer.size());
    std::copy_n(device.answer.begin(), count, report.begin());
    return static_cast<int>(count);
}

DeviceEventSourceFactory FakeEventQueue::Factory()
{
    return [this]() -> std::unique_ptr<IDeviceEventSource> {
        if (failToOpen) {
            return nullptr;
        }
        return std::make_unique<CFakeEventSource>(*this);
    };
}

CFakeHidSystem::CFakeHidSystem()
{
    auto kernel = std::make_unique<CFakeHidrawIo>();
    io = kernel.get();
    backend = std::make_unique<CLinuxHidBackend>(tree.Roots(), std::move(kernel), events.Factory());
    m_previous = SetLinuxHidBackend(backend.get());
}

CFakeHidSystem::~CFakeHidSystem() { SetLinuxHidBackend(m_previous); }

std::string CFakeHidSystem::DevPath(const std::string& node) const { return (tree.Roots().dev / node).string(); }

void CFakeHidSystem::Plug(const std::string& node, std::uint16_t vendor, std::uint16_t product,
                          const std::vector<std::uint8_t>& descriptor)
{
    tree.AddNode(node, vendor, product, descriptor);
    CFakeHidrawIo::Device device;
    device.info = {0x03, vendor, product};
    io->devices[DevPath(node)] = device;
}

void CFakeHidSystem::PlugMouse(int first)
{
    Plug("hidraw" + std::to_string(first), kMouseVendor, kMouseProduct, kMouseDataInterface);
    Plug("hidraw" + std::to_string(first + 1), kMouseVendor, kMouseProduct, kMouseCommandInterface);
}

void CFakeHidSystem::UnplugMouse(int first)
{
    for (int node = first; node <= first + 1; ++node) {
        tree.RemoveNode("hidraw" + std::to_string(node));
        io->devices.erase(DevPath("hidraw" + std::to_string(node)));
    }
}

std::vector<std::u16string> EnumerateInterfaces()
{
    std::vector<std::u16string> paths;
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_HID, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_HID, i, &data); ++i) {
        DWORD required = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
        std::vector<std::uint64_t> storage(required / sizeof(std::uint64_t) + 1);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        EXPECT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
        paths.emplace_back(reinterpret_cast<const char16_t*>(reinterpret_cast<const char*>(detail) +
                                                             offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)));
    }
    SetupDiDestroyDeviceInfoList(set);
    return paths;
}
