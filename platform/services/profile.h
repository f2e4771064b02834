#pragma once
// Private-profile (INI) functions with Windows semantics: sections and keys
// compare without regard to case, values are trimmed and lose surrounding
// quotes, results are cut to the buffer size minus one, and writing creates
// the file and the section when missing while leaving every other line as it
// was. Files are UTF-8; a file that cannot be parsed is never an error, its
// unreadable lines are simply kept.

#include "platform/windef.h"

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
