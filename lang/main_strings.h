// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "lang/language.h"

// The caption of the program's warnings, its message boxes and balloons
// alike, in every language.
inline constexpr char16_t kWarningCaption[] = u"Warning";

// The main window's string slots. CVantorDlg holds one of these and fills it
// once, during its initialisation, for the language of the system default
// language id; nothing changes the slots afterwards.
struct MainWindowStrings {
    // Entries of the button-function list, in list order.
    std::u16string strLeftClick;
    std::u16string strRightClick;
    std::u16string strMidClick;
    std::u16string strForward;
    std::u16string strBackward;
    std::u16string strDpiSwitch;
    std::u16string strWindows;
    std::u16string strMultimedia;
    std::u16string strHotKey;
    std::u16string strFireKey;
    std::u16string strSingleKey;
    std::u16string strSnipeKey;
    std::u16string strKeyOff;
    std::u16string strShift;

    std::u16string strLeftKeyRequired;
    std::u16string strWebSite;

    // Balloon texts; the DPI-stage ones are prefixes to which the DPI value text is appended.
    std::u16string strRate1000;
    std::u16string strRate500;
    std::u16string strRate250;
    std::u16string strRate125;
    std::u16string strDpiStage1;
    std::u16string strDpiStage2;
    std::u16string strDpiStage3;
    std::u16string strDpiStage4;
    std::u16string strKeyMatrix1;
    std::u16string strKeyMatrix2;
    std::u16string strMacroKeySwitch;

    std::u16string strExit;
    std::u16string strMouseNotFound;
    std::u16string strMouseFound;
    std::u16string strSettingsSection;
};

// Assigns every slot its text in the given language.
void FillMainWindowStrings(MainWindowStrings& strings, Language language);
// The text of one slot in every language, without a window: for the
// command-line companion, which needs single texts.
const LocalizedText& MainWindowText(std::u16string MainWindowStrings::*slot);
