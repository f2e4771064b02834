// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Private-profile (INI) functions with Windows semantics: sections and keys
// compare without regard to case, values are trimmed and lose surrounding
// quotes, results are cut to the buffer size minus one, and writing creates
// the file and the section when missing while leaving every other line as it
// was. Files are UTF-8; a file that cannot be parsed is never an error, its
// unreadable lines are simply kept.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/services/ini_document.h"
#include "platform/windef.h"

// A profile file larger than this is treated as one that cannot be read:
// its values are not seen and it is not rewritten.
inline constexpr std::size_t kMaxProfileFileBytes = std::size_t{32} << 20;

// Copies the value of `key` in `section` of the file at `path`, or
// `defaultValue` (trailing blanks removed; nullptr is empty) when there is
// none, into buffer, cut to size - 1 characters and NUL-terminated. Returns
// the number of characters copied. A null `section` lists the section names
// and a null `key` the section's keys, each NUL-terminated with one more NUL
// at the end; a list that does not fit returns size - 2.
DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                               char16_t* buffer, DWORD size, const char16_t* path);

// Sets `key` in `section` to `value`; a null value removes the key and a
// null key removes the whole section. Line breaks in a value are written as
// blanks, so a value can never add lines of its own. Section names with ']'
// or a line break and key names with '=' or a line break, or starting with
// '[', are refused (ERROR_INVALID_PARAMETER). The file is replaced as a
// whole, never left half written, and not touched when nothing would change.
BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* path);

// One profile file read and parsed once, for reading or changing several
// keys at a time with the semantics of the two functions above: each of them
// is this class used for one key.
class CPrivateProfileFile {
public:
    // Reads and parses the file at path (nullptr: no file).
    explicit CPrivateProfileFile(const char16_t* path);

    DWORD GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue, char16_t* buffer,
                    DWORD size) const;
    // Changes the parsed file only; Save writes it. Fails without a change for
    // the names WritePrivateProfileStringW refuses, and when the file exists
    // but could not be read, so that a save never replaces content it did not
    // see.
    BOOL WriteString(const char16_t* section, const char16_t* key, const char16_t* value);
    // Replaces the file as a whole, once, when its content would change.
    BOOL Save();

    // What Save would write; nothing when the file exists but could not be
    // read, which Save refuses to replace.
    std::optional<std::string> Content() const;

private:
    std::u16string m_path;
    bool m_hasPath = false;
    bool m_exists = false;
    std::optional<std::string> m_original;  // nothing: there but unreadable
    DWORD m_readError = 0;
    CIniDocument m_document;
};

