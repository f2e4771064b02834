// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skin_fonts.h"

#include "lang/language.h"
#include "platform/gdi/font.h"
#include "platform/services/system_info.h"

namespace {

struct FontChoice {
    int height;
    LONG weight;
    const char16_t* face;
};

struct FontPair {
    FontChoice list;
    FontChoice text;
};

// Chinese systems from version 6.2 on have the bolder face; older ones the classic one.
constexpr FontPair kChineseFonts{{13, FW_NORMAL, u"黑体"}, {15, FW_BOLD, u"黑体"}};
constexpr FontPair kClassicChineseFonts{{13, FW_NORMAL, u"宋体"}, {15, FW_NORMAL, u"宋体"}};
constexpr FontPair kEnglishFonts{{14, FW_NORMAL, u"Arial"}, {15, FW_BOLD, u"Tahoma"}};

constexpr BYTE kSwissFamily = FF_SWISS | DEFAULT_PITCH;

const FontPair& FontsFor(LANGID langId, DWORD version)
{
    if (SkinLanguageFor(langId) == SkinLanguage::English) {
        return kEnglishFonts;
    }
    return LOBYTE(version) == 6 && HIBYTE(version) == 2 ? kChineseFonts : kClassicChineseFonts;
}

void CreateSkinFont(CFont& font, const FontChoice& choice)
{
    font.CreateFont(choice.height, 0, 0, 0, choice.weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, kSwissFamily, choice.face);
}

}  // namespace

SkinLanguage SkinLanguageFor(LANGID langId)
{
    return langId == kLangIdSimplifiedChinese ? SkinLanguage::Chinese : SkinLanguage::English;
}

std::u16string_view SkinFolderName(SkinLanguage language)
{
    return language == SkinLanguage::Chinese ? u"/Skins/CHS" : u"/Skins/EN";
}

void CreateListFont(CFont& font, LANGID langId, DWORD version)
{
    CreateSkinFont(font, FontsFor(langId, version).list);
}

void CreateTextFont(CFont& font, LANGID langId, DWORD version)
{
    CreateSkinFont(font, FontsFor(langId, version).text);
}
