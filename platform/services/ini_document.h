// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An INI file held as its lines, so that whatever is not touched is written
// back byte for byte: other sections, comments, blank lines, unknown or broken
// lines, line endings and a byte-order mark. Section and key names compare
// without regard to case; names and values are trimmed of blanks and tabs.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CIniDocument {
public:
    CIniDocument() = default;
    explicit CIniDocument(std::string_view content);

    // The value of the first matching key in the first matching section.
    std::optional<std::u16string> Value(std::u16string_view section, std::u16string_view key) const;
    std::vector<std::u16string> SectionNames() const;
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

    // Sets the key, adding the section at the end and the key after the
    // section's last entry when they are missing.
    void SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void RemoveKey(std::u16string_view section, std::u16string_view key);
    void RemoveSection(std::u16string_view section);

    std::string Content() const;

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        std::string raw;  // without its '\n'; a '\r' before it stays here
        Kind kind = Kind::Other;
        std::u16string name;   // section or key name, trimmed
        std::u16string value;  // entry value, trimmed
        std::size_t equals = 0;  // position of '=' in raw, for entries
    };
    struct Range {
        std::size_t header;  // index of the section line
        std::size_t end;     // one past its last line
    };

    static Line ParseLine(std::string raw);
    std::optional<Range> FindSection(std::u16string_view section) const;
    std::optional<std::size_t> FindKey(const Range& range, std::u16string_view key) const;
    std::string NewLine(std::string text) const;

    std::string m_bom;
    std::vector<Line> m_lines;
    bool m_finalNewline = true;
    bool m_crlf = false;
};

// Compares ASCII letters without regard to case, everything else exactly.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
