// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 <-> UTF-16 at the platform boundary. The standard library's converters
// are deprecated and Qt is not available outside platform/qt, so the two short
// routines live here. Malformed input becomes U+FFFD; nothing is dropped silently.

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
