// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "platform/gdi/font.h"
#include "platform/wnd/dialog_template.h"
#include "platform/wnd/msg.h"

namespace {

constexpr const char16_t* kSongTi = u"\u5B8B\u4F53";  // 宋体

constexpr DWORD kMainStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_SETFONT | DS_SETFOREGROUND | DS_CENTER;
constexpr DWORD kMainExStyle = WS_EX_APPWINDOW | WS_EX_ACCEPTFILES;
constexpr DWORD kAssignStyle = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | DS_SETFONT | DS_SETFOREGROUND | DS_CONTROL;

constexpr DialogTemplate Assign(UINT id, int width, int height)
{
    return DialogTemplate{id, width, height, kAssignStyle, 0, nullptr, kSongTi, 12, FW_NORMAL, GB2312_CHARSET, {}};
}

// 700 is the main window; 701 to 704 and 708 to 710 are the assignment
// dialogs (single key, Windows function, multimedia, fire key, hot key,
// snipe, keys recover).
constexpr std::array kTemplates = {
    DialogTemplate{700, 380, 315, kMainStyle, kMainExStyle, u"RV880KXClass", kSongTi, 12, FW_NORMAL, ANSI_CHARSET,
        {752, 647}},
    Assign(701, 200, 150),
    Assign(702, 200, 150),
    Assign(703, 200, 150),
    Assign(704, 200, 150),
    Assign(708, 200, 150),
    Assign(709, 200, 150),
    Assign(710, 150, 100),
};

}  // namespace

std::optional<DialogTemplate> FindDialogTemplate(UINT id)
{
    for (const DialogTemplate& entry : kTemplates) {
        if (entry.id == id) {
            return entry;
        }
    }
    return std::nullopt;
}

CSize DialogClientSize(const DialogTemplate& dialogTemplate)
{
    if (dialogTemplate.clientPixels.cx > 0 && dialogTemplate.clientPixels.cy > 0) {
        return dialogTemplate.clientPixels;
    }
    return CSize(dialogTemplate.widthDlu * kPixelsPerDialogUnit, dialogTemplate.heightDlu * kPixelsPerDialogUnit);
}
