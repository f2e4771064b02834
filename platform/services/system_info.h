// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// System version and system default language, as the program asks Windows
// for them.

#include <optional>
#include <string>
#include <string_view>

#include "platform/windef.h"

// Windows packs the version as major version in the low byte, minor version
// in the next byte and the build number in the high word. The program always
// sees 6.2 (build 9200), which is what Windows reports from that version on to
// a program that declares no list of supported systems.
DWORD GetVersion();

constexpr BYTE LOBYTE(std::uintptr_t v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(std::uintptr_t v) { return static_cast<BYTE>((v >> 8) & 0xFF); }

// The Windows language id of the system locale: LANG from /etc/default/locale
// or /etc/locale.conf, otherwise the process locale (LC_ALL, LC_MESSAGES,
// LANG). A locale without a known id gives 1033 (English, United States).
LANGID GetSystemDefaultLangID();

// Makes GetSystemDefaultLangID report `langId` until cleared with nullopt, so
// that tests and the scripted runner can choose the program's language.
void SetSystemDefaultLangIdForTesting(std::optional<LANGID> langId);

// The Windows language id of a POSIX locale name such as "zh_CN.UTF-8",
// "de_AT@euro" or "pt_BR"; 1033 for "C", "POSIX", empty or unknown names. A
// known language in an unknown territory gets the language's main id.
LANGID LangIdFromLocaleName(std::string_view locale);

// The value of LANG in the text of a locale configuration file (lines of
// NAME=value, values possibly quoted, '#' comments), if it sets one.
std::optional<std::string> LangFromLocaleConfig(std::string_view text);
