// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A HID report descriptor reduced to what the HID class tells its callers:
// the top-level collections with their usage, and for each report id the
// number of input, output and feature bits. The parser takes untrusted bytes
// (a device wrote them) and rejects what the kernel's own parser rejects
// instead of guessing.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The bits of one report of a collection, per direction. Report id 0 stands
// for "no report id": the descriptor declares none before the main item.
struct ReportBits {
    std::uint8_t reportId = 0;
    std::uint32_t input = 0;
    std::uint32_t output = 0;
    std::uint32_t feature = 0;
};

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::vector<ReportBits> reports;  // in order of first appearance

    // The report with this id that carries feature bits, or nullptr.
    const ReportBits* FeatureReport(std::uint8_t reportId) const;
};

struct ParsedReportDescriptor {
    std::vector<TopLevelCollection> collections;
};

// Byte lengths the way the Windows HID class counts them: the longest report
// of that direction in the collection, plus one byte for the report id, which
// is counted even when the collection has no ids; 0 when there is no such report.
struct ReportByteLengths {
    std::uint16_t input = 0;
    std::uint16_t output = 0;
    std::uint16_t feature = 0;
};

ReportByteLengths ReportLengths(const TopLevelCollection& collection);

// The length in bytes, report id byte included, of a report of `bits` bits.
std::uint16_t ReportByteLength(std::uint32_t bits);

// nullopt when the descriptor is malformed; `error` (optional) then says why.
std::optional<ParsedReportDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes,
                                                            std::string* error = nullptr);
