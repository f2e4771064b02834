// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/font.h"

#include <algorithm>

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont)
{
    if (logFont == nullptr || m_created) {
        return FALSE;
    }
    m_logFont = *logFont;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = u'\0';
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
    BYTE pitchAndFamily, const char16_t* faceName)
{
    LOGFONTW lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName != nullptr) {
        const std::u16string_view face(faceName);
        const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
        std::copy_n(face.begin(), n, lf.lfFaceName);
    }
    return CreateFontIndirect(&lf);
}

BOOL CFont::DeleteObject()
{
    if (!m_created) {
        return FALSE;
    }
    m_logFont = LOGFONTW{};
    m_created = false;
    return TRUE;
}

BOOL CFont::GetLogFont(LOGFONTW* logFont) const
{
    if (logFont == nullptr || !m_created) {
        return FALSE;
    }
    *logFont = m_logFont;
    return TRUE;
}

std::u16string CFont::FaceName() const
{
    return std::u16string(m_logFont.lfFaceName);
}
