// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The runner's report: plain text lines in the order things happened, written
// as they happen (so a run that dies still shows how far it got). Nothing in
// it depends on where the run took place, so the same script gives the same
// report on every machine.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CReport {
public:
    explicit CReport(std::FILE* out) : m_out(out) {}

    void Line(std::string_view text);
    void Lines(const std::vector<std::string>& lines, std::string_view indent = "  ");
    // Ends the report: lines after it are dropped.
    void Close() { m_out = nullptr; }

    // Called when a line cannot be written (the reader has gone); without it
    // the lines are lost silently.
    void OnWriteFailure(std::function<void()> handler) { m_onWriteFailure = std::move(handler); }

private:
    std::FILE* m_out;
    std::function<void()> m_onWriteFailure;
};

// A text as the report shows it: in double quotes, UTF-8, with backslash,
// quote and control characters escaped (\\, \", \n, \r, \t, \xNN).
std::string Quoted(std::u16string_view text);
std::string Quoted(std::string_view utf8);

// Bytes as hex, 16 to a line, each line led by its offset in hex: "0a0: 00 01 ...".
std::vector<std::string> HexLines(const std::uint8_t* bytes, std::size_t size);

// A text file's lines as they are on disk, each quoted, so that blanks at the
// ends, carriage returns and a missing last line end can be seen.
std::vector<std::string> TextFileLines(std::string_view content);
