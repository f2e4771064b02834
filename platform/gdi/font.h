// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font description in the shape the windows create their fonts from, and
// the font object that a device context selects for text drawing.

#include <string>

#include "platform/windef.h"

inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;

inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE CHINESEBIG5_CHARSET = 136;

inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_QUALITY = 0;

inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
    LONG lfHeight = 0;  // > 0: cell height, < 0: character height, in pixels
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_DONTCARE;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = ANSI_CHARSET;
    BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
    BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    char16_t lfFaceName[LF_FACESIZE] = {};
};

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() = default;

    BOOL CreateFontIndirect(const LOGFONTW* logFont);
    // The parameters in the order of LOGFONTW; the face is cut to 31 characters.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
        BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
        BYTE pitchAndFamily, const char16_t* faceName);
    BOOL DeleteObject();

    bool IsNull() const { return !m_created; }
    // Copies the description; fails on a null font.
    BOOL GetLogFont(LOGFONTW* logFont) const;
    const LOGFONTW& LogFont() const { return m_logFont; }
    std::u16string FaceName() const;

private:
    LOGFONTW m_logFont;
    bool m_created = false;
};

// Text is about to be drawn for the first time: the installed fonts are read
// in the background from now on, while the caller prepares what needs no
// font (its pictures), and the first text waits for what is left. Does
// nothing when they are being read or have been read already, or outside the
// program's run.
void StartReadingFonts();
