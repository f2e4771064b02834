// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/profile.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "platform/services/files.h"
#include "platform/services/ini_document.h"

namespace {

std::u16string_view View(const char16_t* text) { return text ? std::u16string_view(text) : std::u16string_view(); }

DWORD CopyCut(std::u16string_view text, char16_t* buffer, DWORD size)
{
    const auto copied = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return copied;
}

// Copies names as a list of NUL-terminated strings closed by one more NUL.
// When the list does not fit, the last name is cut and followed by two NULs
// and the result is size - 2, as Windows reports it.
DWORD CopyList(const std::vector<std::u16string>& names, char16_t* buffer, DWORD size)
{
    std::u16string list;
    for (const std::u16string& name : names) {
        list += name;
        list += u'\0';
    }
    if (list.size() + 1 <= size) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = u'\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        buffer[0] = u'\0';
        return 0;
    }
    std::copy_n(list.begin(), size - 2, buffer);
    buffer[size - 2] = u'\0';
    buffer[size - 1] = u'\0';
    return size - 2;
}

std::u16string_view WithoutTrailingBlanks(std::u16string_view text)
{
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

bool ValidSectionName(std::u16string_view section)
{
    return !HasLineBreak(section) && section.find(u']') == std::u16string_view::npos;
}

bool ValidKeyName(std::u16string_view key)
{
    const auto first = key.find_first_not_of(u" \t");
    const bool opensSection = first != std::u16string_view::npos && key[first] == u'[';
    return !HasLineBreak(key) && key.find(u'=') == std::u16string_view::npos && !opensSection;
}

std::u16string SingleLine(std::u16string_view value)
{
    std::u16string line(value);
    std::replace_if(line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return line;
}

}  // namespace

CPrivateProfileFile::CPrivateProfileFile(const char16_t* path) : m_hasPath(path != nullptr)
{
    if (path == nullptr) {
        m_original.emplace();
        return;
    }
    m_path = path;
    m_original = ReadWholeFileW(path, kMaxProfileFileBytes);
    m_exists = m_original.has_value();
    // An absent file is an empty one; any other failure leaves the file unread.
    if (!m_original && GetLastError() == ERROR_FILE_NOT_FOUND) {
        m_original.emplace();
    }
    m_readError = m_original ? ERROR_SUCCESS : GetLastError();
    m_document = CIniDocument(m_original ? std::string_view(*m_original) : std::string_view());
}

DWORD CPrivateProfileFile::GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                                     char16_t* buffer, DWORD size) const
{
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (section == nullptr) {
        return CopyList(m_document.SectionNames(), buffer, size);
    }
    if (key == nullptr) {
        return CopyList(m_document.KeyNames(section), buffer, size);
    }
    if (const auto value = m_document.Value(section, key)) {
        SetLastError(ERROR_SUCCESS);
        return CopyCut(*value, buffer, size);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyCut(WithoutTrailingBlanks(View(defaultValue)), buffer, size);
}

BOOL CPrivateProfileFile::WriteString(const char16_t* section, const char16_t* key, const char16_t* value)
{
    if (!m_hasPath || section == nullptr || !ValidSectionName(section) || (key && !ValidKeyName(key))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!m_original) {
        SetLastError(m_readError);
        return FALSE;
    }
    if (key == nullptr) {
        m_document.RemoveSection(section);
    } else if (value == nullptr) {
        m_document.RemoveKey(section, key);
    } else {
        m_document.SetValue(section, key, SingleLine(value));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

std::optional<std::string> CPrivateProfileFile::Content() const
{
    if (!m_hasPath || !m_original) {
        return std::nullopt;
    }
    return m_document.Content();
}

BOOL CPrivateProfileFile::Save()
{
    if (!m_hasPath || !m_original) {
        SetLastError(m_hasPath ? m_readError : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string content = m_document.Content();
    // Rewriting what is already there would only cost a flush to disk; a
    // removal from a missing file creates nothing.
    if (content == *m_original && (m_exists || content.empty())) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (!SaveWholeFileW(m_path.c_str(), content, FileCreation::CreateIfMissing)) {
        return FALSE;
    }
    m_original = content;
    m_exists = true;
    return TRUE;
}

DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                               char16_t* buffer, DWORD size, const char16_t* path)
{
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CPrivateProfileFile(path).GetString(section, key, defaultValue, buffer, size);
}

BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* path)
{
    if (path == nullptr || section == nullptr || !ValidSectionName(section) || (key && !ValidKeyName(key))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CPrivateProfileFile file(path);
    return file.WriteString(section, key, value) && file.Save();
}
