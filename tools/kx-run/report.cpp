// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/report.h"

#include <array>

#include "platform/str_conv.h"

void CReport::Line(std::string_view text)
{
    if (m_out == nullptr) {
        return;
    }
    std::fwrite(text.data(), 1, text.size(), m_out);
    std::fputc('\n', m_out);
    if (std::fflush(m_out) != 0 && m_onWriteFailure) {
        m_onWriteFailure();
    }
}

void CReport::Lines(const std::vector<std::string>& lines, std::string_view indent)
{
    for (const std::string& line : lines) {
        Line(std::string(indent) + line);
    }
}

std::string Quoted(std::u16string_view text)
{
    return Quoted(std::string_view(Utf16ToUtf8(text)));
}

std::string Quoted(std::string_view utf8)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': quoted += "\\\\"; break;
        case '"': quoted += "\\\""; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                quoted += "\\x";
                quoted += kDigits[byte >> 4];
                quoted += kDigits[byte & 0x0F];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::vector<std::string> HexLines(const std::uint8_t* bytes, std::size_t size)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    constexpr std::size_t kPerLine = 16;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < size; at += kPerLine) {
        std::array<char, 24> offset{};  // room for any offset, however large
        std::snprintf(offset.data(), offset.size(), "%03zx:", at);
        std::string line = offset.data();
        for (std::size_t i = at; i < size && i < at + kPerLine; ++i) {
            line += ' ';
            line += kDigits[bytes[i] >> 4];
            line += kDigits[bytes[i] & 0x0F];
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> TextFileLines(std::string_view content)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t end = content.find('\n', at);
        if (end == std::string_view::npos) {
            lines.push_back(Quoted(content.substr(at)) + " (no line end)");
            break;
        }
        lines.push_back(Quoted(content.substr(at, end - at)));
        at = end + 1;
    }
    return lines;
}
