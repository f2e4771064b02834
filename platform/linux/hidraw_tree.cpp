// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/hidraw_tree.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::string_view kPathPrefix = "\\\\?\\HID";
constexpr std::string_view kCollectionTag = "&Col";
constexpr std::string_view kHidClassGuid = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr std::uint16_t kBusUsb = 0x03;
// The kernel's descriptors are at most 4 KiB; anything far beyond is not one.
constexpr std::size_t kMaxSysfsFileBytes = 64 * 1024;

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof(chunk)) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > kMaxSysfsFileBytes) {
            return std::nullopt;
        }
    }
    return bytes;
}

template <typename T>
bool ParseHex(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    return ec == std::errc() && ptr == end && !text.empty();
}

// HID_ID=0003:000004D9:0000A09E in the HID device's uevent.
bool ParseHidId(std::string_view uevent, HidrawNode& node)
{
    constexpr std::string_view kKey = "HID_ID=";
    std::size_t start = 0;
    while (start < uevent.size()) {
        std::size_t end = uevent.find('\n', start);
        if (end == std::string_view::npos) {
            end = uevent.size();
        }
        const std::string_view line = uevent.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(kKey)) {
            continue;
        }
        const std::string_view value = line.substr(kKey.size());
        const std::size_t c1 = value.find(':');
        const std::size_t c2 = value.find(':', c1 == std::string_view::npos ? c1 : c1 + 1);
        std::uint32_t vendor = 0;
        std::uint32_t product = 0;
        if (c2 == std::string_view::npos || !ParseHex(value.substr(0, c1), node.busType) ||
            !ParseHex(value.substr(c1 + 1, c2 - c1 - 1), vendor) || !ParseHex(value.substr(c2 + 1), product)) {
            return false;
        }
        node.vendor = static_cast<std::uint16_t>(vendor);
        node.product = static_cast<std::uint16_t>(product);
        return true;
    }
    return false;
}

std::string_view TrimEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view AsText(const std::vector<std::uint8_t>& bytes)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

unsigned NodeNumber(std::string_view name)
{
    unsigned number = 0;
    std::from_chars(name.data() + kNodePrefix.size(), name.data() + name.size(), number);
    return number;
}

}  // namespace

CHidrawTree::CHidrawTree(std::filesystem::path sysRoot, std::filesystem::path devRoot)
    : m_sysRoot(std::move(sysRoot)), m_devRoot(std::move(devRoot))
{
}

std::vector<std::string> CHidrawTree::NodeNames() const
{
    std::vector<std::string> names;
    std::error_code ec;
    // Nodes come and go while we look: errors end the listing instead of throwing.
    std::filesystem::directory_iterator it(m_sysRoot / "class" / "hidraw", ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (IsHidrawNodeName(name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NodeNumber(a) < NodeNumber(b); });
    return names;
}

std::optional<HidrawNode> CHidrawTree::ReadNode(std::string_view name) const
{
    if (!IsHidrawNodeName(name)) {
        return std::nullopt;
    }
    const std::filesystem::path device = m_sysRoot / "class" / "hidraw" / std::string(name) / "device";
    const auto uevent = ReadSmallFile(device / "uevent");
    const auto descriptor = ReadSmallFile(device / "report_descriptor");
    HidrawNode node;
    node.name = std::string(name);
    if (!uevent || !descriptor || !ParseHidId(AsText(*uevent), node)) {
        return std::nullopt;
    }
    if (auto parsed = ParseReportDescriptor(*descriptor)) {
        node.collections = std::move(parsed->collections);
    }
    // A USB device's release number sits two levels up: HID device, USB
    // interface, USB device.
    if (node.busType == kBusUsb) {
        if (const auto bcd = ReadSmallFile(device / ".." / ".." / "bcdDevice")) {
            ParseHex(TrimEnd(AsText(*bcd)), node.version);
        }
    }
    return node;
}

std::string CHidrawTree::DeviceNodePath(std::string_view name) const { return (m_devRoot / std::string(name)).string(); }

bool IsHidrawNodeName(std::string_view name)
{
    if (!name.starts_with(kNodePrefix) || name.size() == kNodePrefix.size() || name.size() > kNodePrefix.size() + 6) {
        return false;
    }
    return std::all_of(name.begin() + kNodePrefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::u16string InterfacePath(const HidrawNode& node, std::size_t collection)
{
    char ids[64];
    std::snprintf(ids, sizeof(ids), "VID_%04X&PID_%04X", node.vendor, node.product);
    std::string path = std::string(kPathPrefix) + "#" + ids;
    if (node.collections.size() > 1) {
        char tag[32];
        std::snprintf(tag, sizeof(tag), "%s%02zu", kCollectionTag.data(), collection + 1);
        path += tag;
    }
    path += "#" + node.name + "#" + std::string(kHidClassGuid);
    return std::u16string(path.begin(), path.end());
}

std::optional<InterfaceRef> ParseInterfacePath(std::u16string_view path)
{
    if (path.size() > 512 || std::any_of(path.begin(), path.end(), [](char16_t c) { return c == 0 || c > 0x7F; })) {
        return std::nullopt;
    }
    const std::string text(path.begin(), path.end());
    std::vector<std::string_view> parts;
    std::string_view rest = text;
    for (std::size_t hash = rest.find('#'); hash != std::string_view::npos; hash = rest.find('#')) {
        parts.push_back(rest.substr(0, hash));
        rest.remove_prefix(hash + 1);
    }
    parts.push_back(rest);
    if (parts.size() != 4 || parts[0] != kPathPrefix || parts[3] != kHidClassGuid || !IsHidrawNodeName(parts[2])) {
        return std::nullopt;
    }
    InterfaceRef ref{std::string(parts[2]), 0};
    const std::size_t tag = parts[1].find(kCollectionTag);
    if (tag != std::string_view::npos) {
        const std::string_view digits = parts[1].substr(tag + kCollectionTag.size());
        std::size_t number = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec != std::errc() || ptr != digits.data() + digits.size() || number == 0) {
            return std::nullopt;
        }
        ref.collection = number - 1;
    }
    return ref;
}
