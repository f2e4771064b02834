// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin's language and fonts, decided once for every skinned window from
// the system's default language id and version: the main window and the
// assignment dialogs pick the same skin folder and the same list font.

#include <string_view>

#include "platform/windef.h"

class CFont;

// Which skin folder and which fonts go with the texts: the Chinese skin for
// Simplified Chinese systems (language id 2052 exactly), the English one for
// every other.
enum class SkinLanguage { Chinese = 1, English = 2 };

SkinLanguage SkinLanguageFor(LANGID langId);

// The skin folder's name beside the executable: "/Skins/CHS" or "/Skins/EN".
std::u16string_view SkinFolderName(SkinLanguage language);

// The font of lists and of the assignment dialogs' texts. The Chinese skin
// gets "黑体" when the system version is 6.2 (what this desktop reports) and
// "宋体" on any other, 13 pixels high; the English one Arial, 14 pixels high.
// Weight 400, character set 0, variable-width Swiss family.
void CreateListFont(CFont& font, LANGID langId, DWORD version);

// The font of the main window's own texts, 15 pixels high: bold "黑体" or
// regular "宋体" as above for the Chinese skin, bold Tahoma for the English.
void CreateTextFont(CFont& font, LANGID langId, DWORD version);
