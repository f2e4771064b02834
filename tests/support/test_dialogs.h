// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Templates for the tests' own dialogs, under ids clear of the program's so
// that a test dialog never takes the place of one of the program's in the
// template registry. A test constructs CDialog with one of these, which
// registers it.

#include "platform/gdi/font.h"
#include "platform/wnd/dialog_template.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/msg.h"

namespace test_dialogs {

inline constexpr DWORD kPlainStyle =
    WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | DS_SETFONT | DS_SETFOREGROUND | DS_CONTROL;

// A plain 400 x 300 dialog (200 x 150 dialog units) in the 12-point dialog
// font; Plain(id) is the same under another id.
constexpr DialogTemplate Plain(UINT id, int widthDlu = 200, int heightDlu = 150)
{
    return DialogTemplate{id, widthDlu, heightDlu, kPlainStyle, 0, nullptr, u"\u5B8B\u4F53", 12, FW_NORMAL,
                          GB2312_CHARSET, {}};
}
inline constexpr DialogTemplate kPlain = Plain(1701);

// A class of the tests' own for a dialog made under a registered class.
inline constexpr char16_t kClassName[] = u"KxTestDialogClass";
// A visible, centred dialog under kClassName whose pixel size is fixed apart
// from its dialog units, as the main window's is.
inline constexpr DialogTemplate kClassed{1700,
                                         380,
                                         315,
                                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_SETFONT | DS_CENTER,
                                         WS_EX_APPWINDOW,
                                         kClassName,
                                         u"\u5B8B\u4F53",
                                         12,
                                         FW_NORMAL,
                                         ANSI_CHARSET,
                                         {752, 647}};

// An icon of the tests' own, drawn from the program's icon files.
inline constexpr UINT kIconId = 1710;
inline constexpr char16_t kIconFiles[] = u"kx-507";

inline HICON LoadTestIcon()
{
    RegisterIconFiles(kIconId, kIconFiles);
    return LoadIconW(kIconId);
}

}  // namespace test_dialogs
