// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Everything that crossed the simulated wire, in order: each feature report
// set or fetched (with the bytes as they travelled, scrambled) and each pause.
struct WireEntry {
    enum class Kind { SetFeature, GetFeature, Pause };
    enum class Target { Command, Data, OtherCollection, BadHandle };

    Kind kind = Kind::Pause;
    Target target = Target::BadHandle;
    bool ok = false;
    // Bytes after the call: what the host sent, or what it got back.
    std::vector<std::uint8_t> bytes;
    // The same report descrambled, as the firmware reads it.
    std::vector<std::uint8_t> plain;
    std::chrono::milliseconds pause{0};
};

class WireLog {
public:
    void Add(WireEntry entry) { m_entries.push_back(std::move(entry)); }
    void Clear() { m_entries.clear(); }
    const std::vector<WireEntry>& Entries() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }

    // The log as short tokens separated by blanks, for tests to compare:
    //   C85  command report sent, with its (descrambled) command byte
    //   A    answer fetched from the command collection
    //   D<   data report fetched        D>  data report sent
    //   P100 pause of 100 ms            ?>  ?<  report on a handle that is no collection
    // A call that failed carries "!" (C80!, A!, D<!).
    std::string Summary() const;

    // Only the reports (no pauses) or only the pauses.
    std::vector<WireEntry> Reports() const;
    std::vector<std::chrono::milliseconds> Pauses() const;

private:
    std::vector<WireEntry> m_entries;
};
