// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's template and the application icon: a system dialog under
// the class name other programs find it by, 752 x 647 client pixels (less
// wide than its dialog units), centred and taking dropped files; the icon is
// its big and small icon and the tray icon.

#include "tray/instance_channel.h"
#include "dialogs/dialog_templates.h"

inline constexpr UINT IDD_KX507_DIALOG = 700;
inline constexpr UINT IDI_KX507 = 710;
// The icon's files: icons/kx-507-<size>.png beside the executable.
inline constexpr char16_t kApplicationIconFiles[] = u"kx-507";

inline constexpr DialogTemplate kMainWindowTemplate{
    IDD_KX507_DIALOG,
    380,
    315,
    WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_SETFONT | DS_SETFOREGROUND | DS_CENTER,
    WS_EX_APPWINDOW | WS_EX_ACCEPTFILES,
    kMainWindowClass,
    dialog_templates::kFontFace,
    dialog_templates::kFontPoints,
    FW_NORMAL,
    ANSI_CHARSET,
    {752, 647},
};
