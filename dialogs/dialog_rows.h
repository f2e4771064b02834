// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between the seven assignment dialogs on their one frame, a row
// of data each: template (its id and size in dialog units), background picture, the caption of its failure
// message, its drop-down (box, list and list id) and its three image
// buttons. Client pixels, (left, top, right, bottom), right and bottom
// exclusive.

#include <string_view>

#include "lang/dialog_texts.h"
#include "dialogs/dialog_templates.h"
#include "platform/geometry.h"
#include "platform/windef.h"
#include "skin/drop_down.h"
#include "skin/hover_flags.h"

// The confirming, the cancelling and the close button of a dialog. The first
// two are neighbours: hovering one draws the other back normal.
struct FrameButtons {
    ImageButton confirm;
    ImageButton cancel;
    ImageButton close;
    LocalizedText confirmName;  // what a screen reader calls the first two
    LocalizedText cancelName;
};

struct AssignDialogRow {
    DialogTemplate dialogTemplate;
    std::u16string_view picture;         // the canvas, below the skin folder
    std::u16string_view failureCaption;  // of the "error" box when it does not load
    DropDownGeometry dropDown;           // list id 0: the dialog has no drop-down
    FrameButtons buttons;
    bool ownFont = true;                 // the keys recover dialog draws no text
    LocalizedText title;                 // the title the picture shows
    LocalizedText boxName;               // the caption of its box

    constexpr bool HasDropDown() const { return dropDown.listId != 0; }
};

namespace dialog_rows {

// Save, Exit and Close of the six 400 x 300 dialogs.
inline constexpr FrameButtons kSaveExit{
    {{153, 256, 269, 286}, u"/Save-normal.png", u"/Save-over.png"},
    {{272, 256, 388, 286}, u"/Exit-normal.png", u"/Exit-over.png"},
    {{365, 0, 397, 31}, u"/Close-normal.png", u"/Close-over.png"},
    dialog_texts::kApply,
    dialog_texts::kExit,
};

// Ok, Return and Close of the 300 x 200 keys recover dialog.
inline constexpr FrameButtons kOkReturn{
    {{33, 147, 149, 177}, u"/Ok-normal.png", u"/Ok-over.png"},
    {{152, 147, 268, 177}, u"/Return-normal.png", u"/Return-over.png"},
    {{265, 0, 297, 31}, u"/Close-normal.png", u"/Close-over.png"},
    dialog_texts::kOk,
    dialog_texts::kBack,
};

// The list dialogs' box; the single key dialog's key box is the same.
inline constexpr CRect kListDialogBox{49, 112, 177, 141};

// The list ids the dialogs use, the lowest and the highest.
inline constexpr WORD kFirstListId = 533;
inline constexpr WORD kLastListId = 572;

}  // namespace dialog_rows

inline constexpr AssignDialogRow kSingleKeyDialog{dialog_templates::Assign(701, 200, 150), u"/single-key.png",
    u"Single Key Dialog Load background image failed!!!", {}, dialog_rows::kSaveExit, true,
    dialog_texts::kSingleKeyTitle, dialog_texts::kKeyBox};
inline constexpr AssignDialogRow kWindowsDialog{dialog_templates::Assign(702, 200, 150), u"/windows-key.png",
    u"Windows Dialog Load background image failed!!!",
    {533, dialog_rows::kListDialogBox, {49, 143, 177, 293}}, dialog_rows::kSaveExit, true,
    dialog_texts::kQuickLaunchTitle, dialog_texts::kFunctionBox};
inline constexpr AssignDialogRow kMediaDialog{dialog_templates::Assign(703, 200, 150), u"/media-key.png",
    u"Media Dialog Load background image failed!!!",
    {553, dialog_rows::kListDialogBox, {49, 143, 177, 263}}, dialog_rows::kSaveExit, true,
    dialog_texts::kMultimediaTitle, dialog_texts::kFunctionBox};
inline constexpr AssignDialogRow kFireKeyDialog{dialog_templates::Assign(704, 200, 150), u"/fire-key.png",
    u"FireKey Dialog Load background image failed!!!",
    {572, {102, 70, 230, 99}, {102, 101, 230, 221}, {}, true}, dialog_rows::kSaveExit, true,
    dialog_texts::kFireKeyTitle, dialog_texts::kKeyBox};
inline constexpr AssignDialogRow kHotKeyDialog{dialog_templates::Assign(708, 200, 150), u"/hot-key.png",
    u"HotKey Dialog Load background image failed!!!",
    {565, dialog_rows::kListDialogBox, {49, 143, 177, 283}}, dialog_rows::kSaveExit, true,
    dialog_texts::kHotKeyTitle, dialog_texts::kShortcutBox};
// The list holds 8 entries in 140 pixels, but table 0 offers 12: the scroll
// bar (shown only when the entries do not fit) keeps "2500" to "4000" within
// reach.
inline constexpr AssignDialogRow kSnipeDialog{dialog_templates::Assign(709, 200, 150), u"/snipe-key.png",
    u"Snipe Dialog Load background image failed!!!",
    {560, dialog_rows::kListDialogBox, {49, 143, 177, 283}, {}, true}, dialog_rows::kSaveExit, true,
    dialog_texts::kSnipeKeyTitle, dialog_texts::kSnipeDpiBox};
inline constexpr AssignDialogRow kKeysRecoverDialog{dialog_templates::Assign(710, 150, 100), u"/Keys-recover.png",
    u"KeysRecover Dialog Load background image failed!!!", {}, dialog_rows::kOkReturn, false,
    dialog_texts::kRestoreDefaultsTitle, {}};
