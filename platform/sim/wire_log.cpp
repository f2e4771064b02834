// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/wire_log.h"

#include <cstdio>

namespace {

constexpr std::size_t kCommandByte = 5;

std::string Token(const WireEntry& entry)
{
    using Kind = WireEntry::Kind;
    using Target = WireEntry::Target;
    if (entry.kind == Kind::Pause) {
        return "P" + std::to_string(entry.pause.count());
    }
    const bool set = entry.kind == Kind::SetFeature;
    std::string token;
    switch (entry.target) {
    case Target::Command:
        if (set && entry.plain.size() > kCommandByte) {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%02X", entry.plain[kCommandByte]);
            token = std::string("C") + hex;
        } else {
            token = set ? "C" : "A";
        }
        break;
    case Target::Data:
        token = set ? "D>" : "D<";
        break;
    case Target::OtherCollection:
    case Target::BadHandle:
        token = set ? "?>" : "?<";
        break;
    }
    return entry.ok ? token : token + "!";
}

}  // namespace

std::string WireLog::Summary() const
{
    std::string summary;
    for (const WireEntry& entry : m_entries) {
        if (!summary.empty()) {
            summary += ' ';
        }
        summary += Token(entry);
    }
    return summary;
}

std::vector<WireEntry> WireLog::Reports() const
{
    std::vector<WireEntry> reports;
    for (const WireEntry& entry : m_entries) {
        if (entry.kind != WireEntry::Kind::Pause) {
            reports.push_back(entry);
        }
    }
    return reports;
}

std::vector<std::chrono::milliseconds> WireLog::Pauses() const
{
    std::vector<std::chrono::milliseconds> pauses;
    for (const WireEntry& entry : m_entries) {
        if (entry.kind == WireEntry::Kind::Pause) {
            pauses.push_back(entry.pause);
        }
    }
    return pauses;
}
