// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/ini_document.h"

#include <algorithm>

#include "platform/str_conv.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// A value in matching single or double quotes is read without them.
std::u16string_view Unquoted(std::u16string_view value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

CIniDocument::CIniDocument(std::string_view content)
{
    if (content.starts_with(kUtf8Bom)) {
        m_bom = kUtf8Bom;
        content.remove_prefix(kUtf8Bom.size());
    }
    m_finalNewline = content.empty() || content.back() == '\n';
    if (m_finalNewline && !content.empty()) {
        content.remove_suffix(1);
    } else if (content.empty()) {
        return;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = content.find('\n', start);
        const std::size_t stop = newline == std::string_view::npos ? content.size() : newline;
        m_lines.push_back(ParseLine(std::string(content.substr(start, stop - start))));
        if (newline == std::string_view::npos) {
            break;
        }
        start = newline + 1;
    }
    // New lines follow the file's own line ending, judged by its first line.
    m_crlf = m_lines.front().raw.ends_with('\r') && (m_lines.size() > 1 || m_finalNewline);
}

CIniDocument::Line CIniDocument::ParseLine(std::string raw)
{
    Line line;
    std::string_view text = raw;
    if (text.ends_with('\r')) {
        text.remove_suffix(1);
    }
    const std::string_view trimmed = Trim(text);
    if (trimmed.starts_with('[')) {
        const std::string_view inside = trimmed.substr(1);
        line.kind = Kind::Section;
        line.name = Utf8ToUtf16(Trim(inside.substr(0, inside.find(']'))));
    } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
        line.kind = Kind::Entry;
        line.name = Utf8ToUtf16(Trim(text.substr(0, equals)));
        line.value = Utf8ToUtf16(Trim(text.substr(equals + 1)));
        line.equals = equals;
    }
    line.raw = std::move(raw);
    return line;
}

std::optional<CIniDocument::Range> CIniDocument::FindSection(std::u16string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && EqualsIgnoringCase(m_lines[i].name, section)) {
            std::size_t end = i + 1;
            while (end < m_lines.size() && m_lines[end].kind != Kind::Section) {
                ++end;
            }
            return Range{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> CIniDocument::FindKey(const Range& range, std::u16string_view key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (m_lines[i].kind == Kind::Entry && EqualsIgnoringCase(m_lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> CIniDocument::Value(std::u16string_view section, std::u16string_view key) const
{
    const auto range = FindSection(section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = FindKey(*range, key);
    if (!index) {
        return std::nullopt;
    }
    return std::u16string(Unquoted(m_lines[*index].value));
}

std::vector<std::u16string> CIniDocument::SectionNames() const
{
    std::vector<std::u16string> names;
    for (const Line& line : m_lines) {
        if (line.kind == Kind::Section) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::u16string> CIniDocument::KeyNames(std::u16string_view section) const
{
    std::vector<std::u16string> names;
    if (const auto range = FindSection(section)) {
        for (std::size_t i = range->header + 1; i < range->end; ++i) {
            if (m_lines[i].kind == Kind::Entry) {
                names.push_back(m_lines[i].name);
            }
        }
    }
    return names;
}

std::string CIniDocument::NewLine(std::string text) const
{
    if (m_crlf) {
        text += '\r';
    }
    return text;
}

void CIniDocument::SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value)
{
    const std::string value8 = Utf16ToUtf8(value);
    auto range = FindSection(section);
    if (!range) {
        // Built by appending: GCC 12 at -O3 misreads "[" + string as an overlapping copy.
        std::string header(1, '[');
        header += Utf16ToUtf8(section);
        header += ']';
        m_lines.push_back(ParseLine(NewLine(std::move(header))));
        m_finalNewline = true;
        range = Range{m_lines.size() - 1, m_lines.size()};
    }
    if (const auto index = FindKey(*range, key)) {
        Line& line = m_lines[*index];
        // Everything up to the '=' stays as it was written; only the value changes.
        line = ParseLine(NewLine(line.raw.substr(0, line.equals + 1) + value8));
        return;
    }
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (!Trim(m_lines[i].raw).empty() && Trim(m_lines[i].raw) != "\r") {
            insertAt = i + 1;
        }
    }
    if (insertAt == m_lines.size()) {
        m_finalNewline = true;
    }
    const auto position = m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt);
    m_lines.insert(position, ParseLine(NewLine(Utf16ToUtf8(key) + "=" + value8)));
}

void CIniDocument::RemoveKey(std::u16string_view section, std::u16string_view key)
{
    const auto range = FindSection(section);
    if (const auto index = range ? FindKey(*range, key) : std::nullopt) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    }
}

void CIniDocument::RemoveSection(std::u16string_view section)
{
    if (const auto range = FindSection(section)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    }
}

std::string CIniDocument::Content() const
{
    std::string content = m_bom;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        content += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalNewline) {
            content += '\n';
        }
    }
    return content;
}
