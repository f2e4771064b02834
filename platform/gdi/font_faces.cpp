// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/font_faces.h"

#include <array>

#include "platform/gdi/font.h"

namespace {

struct FaceFamily {
    std::u16string_view face;
    const char* family;
};

// Liberation Sans has Arial's metrics; DejaVu Sans is the closest widely
// installed match for Tahoma; the Chinese faces are served by Noto CJK.
constexpr std::array kFaceFamilies = {
    FaceFamily{u"Arial", "Liberation Sans"},
    FaceFamily{u"Tahoma", "DejaVu Sans"},
    FaceFamily{u"\u9ED1\u4F53", "Noto Sans CJK SC"},  // 黑体
    FaceFamily{u"\u5B8B\u4F53", "Noto Sans CJK SC"},  // 宋体
};

constexpr const char* kChineseFamily = "Noto Sans CJK SC";
constexpr const char* kSansFamily = "DejaVu Sans";
constexpr const char* kSerifFamily = "DejaVu Serif";
constexpr const char* kMonoFamily = "DejaVu Sans Mono";

char16_t FoldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameFace(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

const char* FamilyForUnknownFace(BYTE charSet, BYTE pitchAndFamily)
{
    if (charSet == GB2312_CHARSET || charSet == CHINESEBIG5_CHARSET) {
        return kChineseFamily;
    }
    if ((pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN) {
        return kMonoFamily;
    }
    if ((pitchAndFamily & 0xF0) == FF_ROMAN) {
        return kSerifFamily;
    }
    return kSansFamily;
}

}  // namespace

std::vector<std::string> InstalledFamiliesForFace(std::u16string_view face, BYTE charSet, BYTE pitchAndFamily)
{
    const char* primary = nullptr;
    for (const FaceFamily& entry : kFaceFamilies) {
        if (SameFace(entry.face, face)) {
            primary = entry.family;
            break;
        }
    }
    if (primary == nullptr) {
        primary = FamilyForUnknownFace(charSet, pitchAndFamily);
    }
    std::vector<std::string> families{primary};
    if (std::string_view(primary) != kChineseFamily) {
        families.emplace_back(kChineseFamily);
    }
    return families;
}
