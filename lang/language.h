// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "platform/windef.h"

// The three text languages of the program. Every window picks one with
// LanguageFromLangId when it fills its string slots.
enum class Language {
    English,
    SimplifiedChinese,
    TraditionalChinese,
};

inline constexpr LANGID kLangIdSimplifiedChinese = 2052;   // 0x0804
inline constexpr LANGID kLangIdTraditionalChinese = 1028;  // 0x0404

// The whole 16-bit system default language id decides: other Chinese locales
// (Hong Kong 3076, Singapore 4100) get English.
constexpr Language LanguageFromLangId(LANGID langId)
{
    if (langId == kLangIdSimplifiedChinese) {
        return Language::SimplifiedChinese;
    }
    if (langId == kLangIdTraditionalChinese) {
        return Language::TraditionalChinese;
    }
    return Language::English;
}

// One text in its three languages; there is no fallback between them.
struct LocalizedText {
    std::u16string_view english;
    std::u16string_view simplifiedChinese;
    std::u16string_view traditionalChinese;

    constexpr std::u16string_view In(Language language) const
    {
        switch (language) {
        case Language::SimplifiedChinese:
            return simplifiedChinese;
        case Language::TraditionalChinese:
            return traditionalChinese;
        case Language::English:
            break;
        }
        return english;
    }
};
