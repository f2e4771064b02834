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

// The file's bytes; an absent file is an empty one. Nothing when the file
// exists but cannot be read, so that a write never replaces content it could
// not see.
std::optional<std::string> ReadForUpdate(const char16_t* path, bool& exists)
{
    auto content = ReadWholeFileW(path);
    exists = content.has_value();
    if (!content && GetLastError() == ERROR_FILE_NOT_FOUND) {
        content.emplace();
    }
    return content;
}

}  // namespace

DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                               char16_t* buffer, DWORD size, const char16_t* path)
{
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto content = path ? ReadWholeFileW(path) : std::nullopt;
    const CIniDocument document(content ? std::string_view(*content) : std::string_view());
    if (section == nullptr) {
        return CopyList(document.SectionNames(), buffer, size);
    }
    if (key == nullptr) {
        return CopyList(document.KeyNames(section), buffer, size);
    }
    if (const auto value = document.Value(section, key)) {
        SetLastError(ERROR_SUCCESS);
        return CopyCut(*value, buffer, size);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyCut(WithoutTrailingBlanks(View(defaultValue)), buffer, size);
}

BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* path)
{
    if (path == nullptr || section == nullptr || !ValidSectionName(section) || (key && !ValidKeyName(key))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool exists = false;
    const auto original = ReadForUpdate(path, exists);
    if (!original) {
        return FALSE;
    }
    CIniDocument document(*original);
    if (key == nullptr) {
        document.RemoveSection(section);
    } else if (value == nullptr) {
        document.RemoveKey(section, key);
    } else {
        document.SetValue(section, key, SingleLine(value));
    }
    const std::string content = document.Content();
    // Rewriting what is already there would only cost a flush to disk; a
    // removal from a missing file creates nothing.
    if (content == *original && (exists || content.empty())) {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    return SaveWholeFileW(path, content, FileCreation::CreateIfMissing);
}
