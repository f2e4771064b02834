// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The templates of the program's dialogs: the font they are all set in and
// the assignment dialogs' frame. The main window's template is its own
// (mainwnd/main_window_resources.h).

#include "platform/gdi/font.h"
#include "platform/wnd/dialog_template.h"
#include "platform/wnd/msg.h"

namespace dialog_templates {

// The template font: 12-point 宋体, at which a dialog unit is 2 pixels.
inline constexpr const char16_t* kFontFace = u"\u5B8B\u4F53";
inline constexpr int kFontPoints = 12;

// An assignment dialog's style: a popup asking for a thin border (borderless
// on this desktop all the same) that does not centre itself, so it comes up
// centred over its owner. Its font is in the Chinese character set.
inline constexpr DWORD kAssignStyle =
    WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | DS_SETFONT | DS_SETFOREGROUND | DS_CONTROL;

// The template of assignment dialog `id` (701 to 704 and 708 to 710).
constexpr DialogTemplate Assign(UINT id, int widthDlu, int heightDlu)
{
    return DialogTemplate{id, widthDlu, heightDlu, kAssignStyle, 0, nullptr, kFontFace, kFontPoints, FW_NORMAL,
                          GB2312_CHARSET, {}};
}

}  // namespace dialog_templates
