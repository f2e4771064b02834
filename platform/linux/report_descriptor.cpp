// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/report_descriptor.h"

#include <algorithm>
#include <cstddef>

namespace {

// Limits of the kernel's HID parser: a descriptor beyond them never gets a
// hidraw node, so nothing legitimate is lost by refusing it here too.
constexpr std::uint32_t kMaxReportSize = 256;      // bits of one field
constexpr std::uint32_t kMaxReportCount = 12288;   // fields of one main item
constexpr std::size_t kMaxGlobalStackDepth = 32;   // Push without Pop
// A report longer than this would not fit the 16-bit lengths of the caps;
// sums saturate here instead of wrapping.
constexpr std::uint32_t kMaxReportBits = (0xFFFFu - 1u) * 8u;

constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

enum MainTag : std::uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC,
};

enum GlobalTag : std::uint8_t {
    kUsagePage = 0x0,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag : std::uint8_t { kUsage = 0x0, kUsageMinimum = 0x1 };

struct Item {
    std::uint8_t type = 0;
    std::uint8_t tag = 0;
    std::uint8_t size = 0;  // data bytes: 0, 1, 2 or 4
    std::uint32_t data = 0;
};

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A usage as written: with four data bytes it carries its own usage page.
struct LocalUsage {
    bool present = false;
    std::uint32_t value = 0;
    std::uint8_t size = 0;
};

struct LocalState {
    LocalUsage usage;         // the first Usage since the last main item
    LocalUsage usageMinimum;  // used when there is no Usage
};

class CDescriptorParser {
public:
    explicit CDescriptorParser(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::optional<ParsedReportDescriptor> Run(std::string* error);

private:
    bool Fail(const char* why);
    // Reads the item at m_pos; false at a truncated item. Long items are
    // skipped and reported as absent through `item.type` = 3.
    bool NextItem(Item& item);
    bool OnMain(const Item& item);
    bool OnGlobal(const Item& item);
    void OnLocal(const Item& item);
    void OpenCollection();
    void AddBits(std::uint8_t tag);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    std::string m_error;
    GlobalState m_global;
    std::vector<GlobalState> m_globalStack;
    LocalState m_local;
    std::size_t m_depth = 0;
    ParsedReportDescriptor m_result;
};

bool CDescriptorParser::Fail(const char* why)
{
    m_error = why;
    return false;
}

bool CDescriptorParser::NextItem(Item& item)
{
    const std::uint8_t prefix = m_bytes[m_pos];
    if (prefix == kLongItemPrefix) {
        // Long items are reserved; their data size is in the second byte.
        if (m_bytes.size() - m_pos < 3) {
            return Fail("truncated long item");
        }
        const std::size_t length = 3u + m_bytes[m_pos + 1];
        if (m_bytes.size() - m_pos < length) {
            return Fail("truncated long item");
        }
        m_pos += length;
        item.type = 3;
        return true;
    }
    const std::uint8_t sizeCode = prefix & 0x3;
    item.size = sizeCode == 3 ? 4 : sizeCode;
    item.type = (prefix >> 2) & 0x3;
    item.tag = prefix >> 4;
    if (m_bytes.size() - m_pos < 1u + item.size) {
        return Fail("truncated item");
    }
    item.data = 0;
    for (std::uint8_t i = 0; i < item.size; ++i) {
        item.data |= static_cast<std::uint32_t>(m_bytes[m_pos + 1 + i]) << (8 * i);
    }
    m_pos += 1u + item.size;
    return true;
}

void CDescriptorParser::OpenCollection()
{
    const LocalUsage& usage = m_local.usage.present ? m_local.usage : m_local.usageMinimum;
    TopLevelCollection collection;
    collection.usagePage = m_global.usagePage;
    collection.usage = static_cast<std::uint16_t>(usage.value & 0xFFFF);
    if (usage.present && usage.size == 4) {
        collection.usagePage = static_cast<std::uint16_t>(usage.value >> 16);
    }
    m_result.collections.push_back(std::move(collection));
}

void CDescriptorParser::AddBits(std::uint8_t tag)
{
    if (m_depth == 0) {
        return;  // a field outside every collection belongs to no interface
    }
    std::vector<ReportBits>& reports = m_result.collections.back().reports;
    auto it = std::find_if(reports.begin(), reports.end(),
                           [&](const ReportBits& r) { return r.reportId == m_global.reportId; });
    if (it == reports.end()) {
        reports.push_back(ReportBits{m_global.reportId, 0, 0, 0});
        it = reports.end() - 1;
    }
    std::uint32_t& bits = tag == kInput ? it->input : tag == kOutput ? it->output : it->feature;
    const std::uint64_t sum =
        static_cast<std::uint64_t>(bits) + static_cast<std::uint64_t>(m_global.reportSize) * m_global.reportCount;
    bits = static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, kMaxReportBits));
}

bool CDescriptorParser::OnMain(const Item& item)
{
    switch (item.tag) {
    case kCollection:
        if (m_depth == 0) {
            OpenCollection();
        }
        ++m_depth;
        break;
    case kEndCollection:
        if (m_depth == 0) {
            return Fail("end collection without collection");
        }
        --m_depth;
        break;
    case kInput:
    case kOutput:
    case kFeature:
        AddBits(item.tag);
        break;
    default:
        break;  // reserved main items carry nothing we count
    }
    m_local = LocalState{};
    return true;
}

bool CDescriptorParser::OnGlobal(const Item& item)
{
    switch (item.tag) {
    case kUsagePage:
        m_global.usagePage = static_cast<std::uint16_t>(item.data & 0xFFFF);
        break;
    case kReportSize:
        if (item.data > kMaxReportSize) {
            return Fail("report size too large");
        }
        m_global.reportSize = item.data;
        break;
    case kReportCount:
        if (item.data > kMaxReportCount) {
            return Fail("report count too large");
        }
        m_global.reportCount = item.data;
        break;
    case kReportId:
        if (item.data == 0 || item.data > 0xFF) {
            return Fail("invalid report id");
        }
        m_global.reportId = static_cast<std::uint8_t>(item.data);
        break;
    case kPush:
        if (m_globalStack.size() >= kMaxGlobalStackDepth) {
            return Fail("global stack overflow");
        }
        m_globalStack.push_back(m_global);
        break;
    case kPop:
        if (m_globalStack.empty()) {
            return Fail("global stack underflow");
        }
        m_global = m_globalStack.back();
        m_globalStack.pop_back();
        break;
    default:
        break;  // logical and physical ranges, units: not needed for lengths
    }
    return true;
}

void CDescriptorParser::OnLocal(const Item& item)
{
    LocalUsage* slot = nullptr;
    if (item.tag == kUsage) {
        slot = &m_local.usage;
    } else if (item.tag == kUsageMinimum) {
        slot = &m_local.usageMinimum;
    }
    if (slot && !slot->present) {
        *slot = LocalUsage{true, item.data, item.size};
    }
}

std::optional<ParsedReportDescriptor> CDescriptorParser::Run(std::string* error)
{
    bool ok = true;
    while (ok && m_pos < m_bytes.size()) {
        Item item;
        ok = NextItem(item);
        if (!ok) {
            break;
        }
        if (item.type == kMain) {
            ok = OnMain(item);
        } else if (item.type == kGlobal) {
            ok = OnGlobal(item);
        } else if (item.type == kLocal) {
            OnLocal(item);
        }
    }
    if (ok && m_depth != 0) {
        ok = Fail("collection not closed");
    }
    if (!ok) {
        if (error) {
            *error = m_error;
        }
        return std::nullopt;
    }
    return std::move(m_result);
}

}  // namespace

const ReportBits* TopLevelCollection::FeatureReport(std::uint8_t reportId) const
{
    for (const ReportBits& report : reports) {
        if (report.reportId == reportId && report.feature > 0) {
            return &report;
        }
    }
    return nullptr;
}

std::uint16_t ReportByteLength(std::uint32_t bits)
{
    if (bits == 0) {
        return 0;
    }
    const std::uint32_t bytes = (std::min(bits, kMaxReportBits) + 7u) / 8u + 1u;
    return static_cast<std::uint16_t>(bytes);
}

ReportByteLengths ReportLengths(const TopLevelCollection& collection)
{
    std::uint32_t input = 0;
    std::uint32_t output = 0;
    std::uint32_t feature = 0;
    for (const ReportBits& report : collection.reports) {
        input = std::max(input, report.input);
        output = std::max(output, report.output);
        feature = std::max(feature, report.feature);
    }
    return {ReportByteLength(input), ReportByteLength(output), ReportByteLength(feature)};
}

std::optional<ParsedReportDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes, std::string* error)
{
    return CDescriptorParser(bytes).Run(error);
}
