// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: report descriptors straight from a device, and the
// interface paths made from what they describe. Neither may crash, read out
// of bounds or produce lengths and paths that contradict each other.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "platform/linux/hidraw_tree.h"
#include "platform/linux/report_descriptor.h"

namespace {

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void CheckCollection(const TopLevelCollection& collection)
{
    std::set<std::uint8_t> ids;
    for (const ReportBits& report : collection.reports) {
        Require(ids.insert(report.reportId).second);
        if (report.feature > 0) {
            Require(collection.FeatureReport(report.reportId) == &report);
            Require(ReportByteLength(report.feature) <= ReportLengths(collection).feature);
        }
    }
}

void CheckPaths(const ParsedReportDescriptor& parsed)
{
    HidrawNode node;
    node.name = "hidraw7";
    node.vendor = 0x04D9;
    node.product = 0xA09E;
    node.collections = parsed.collections;
    for (std::size_t i = 0; i < node.collections.size() && i < 200; ++i) {
        const auto ref = ParseInterfacePath(InterfacePath(node, i));
        Require(ref && ref->node == node.name);
        Require(node.collections.size() == 1 || ref->collection == i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = ParseReportDescriptor({data, size});
    if (parsed) {
        for (const TopLevelCollection& collection : parsed->collections) {
            CheckCollection(collection);
        }
        CheckPaths(*parsed);
    }
    // The same bytes read as a path someone passed to CreateFileW.
    std::u16string path(size / 2, u'\0');
    for (std::size_t i = 0; i < path.size(); ++i) {
        path[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    ParseInterfacePath(path);
    return 0;
}
