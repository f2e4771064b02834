// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame every assignment dialog is built on: a borderless modal dialog
// whose whole look is its skin picture, kept as its canvas; painted confirm,
// cancel and close buttons with hover pictures; an optional painted drop-down
// box opening a real list. The dialog only reports: the caller reads its
// result after DoModal returns IDOK (1) or IDCANCEL (2) and writes the
// settings record itself.
//
// A dialog adds what is its own through the hooks below; the row of data in
// dialogs/dialog_rows.h holds what differs between the frames.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/language.h"
#include "dialogs/dialog_rows.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "platform/wnd/cdialog.h"
#include "skin/ctl_color_brush.h"
#include "skin/drop_down_group.h"
#include "skin/hover_flags.h"
#include "skin/repaint.h"

class CAssignDialog : public CDialog {
public:
    CAssignDialog(const AssignDialogRow& row, CWnd* parent);
    ~CAssignDialog() override;

    // With a drop-down: the chosen position (0 until a choice) and the text of
    // the chosen entry as the box shows it.
    std::uint8_t ChosenPosition() const { return m_position; }
    const std::u16string& DropDownText() const { return m_dropDownText; }

    const AssignDialogRow& Row() const { return m_row; }
    // Whether the background picture loaded (the dialog's texts and own
    // set-up exist only then).
    bool HasBackground() const { return m_canvas != nullptr; }
    bool IsListOpen() const { return m_dropDowns.Size() > 0 && m_dropDowns[0].IsOpen(); }

    BOOL OnInitDialog() override;
    // Confirm: the dialog takes what its controls show, then ends with IDOK.
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The box (and its open list), what the dialog adds, then the confirming,
    // the cancelling and the close button.
    AccessibleElements AccessibleChildren() const override;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

    // The language texts, once the background has loaded.
    virtual void SetLanguageTexts(Language) {}
    // The dialog's own set-up after its texts, once the background has loaded.
    virtual void SetUpDialog() {}
    // What erasing the background draws on the canvas; the frame adds nothing.
    virtual void AppendEraseContent(std::vector<SkinPicture>& pictures) const;
    // What the dialog drew on its canvas besides that and its hovered
    // buttons, for a canvas made anew on a screen of another density.
    virtual void AppendCanvasState(std::vector<SkinPicture>&) const {}
    // The list's entries in order, when it is created.
    virtual std::vector<std::u16string_view> ListEntries() const { return {}; }
    // Before the list opens, and after it has closed (by the box, by a click
    // outside or by a choice).
    virtual void OnListOpening() {}
    virtual void OnListClosed() {}
    // The framework's data exchange of a confirm: what the controls show
    // becomes the result.
    virtual void TakeResults() {}
    // The dialog's own elements, between its box and its buttons.
    virtual void AppendAccessibleContent(AccessibleElements&) const {}

    // Paints pictures and texts into the canvas in order and shows it.
    void Draw(std::span<const SkinPicture> pictures);
    // The drop-down's text in its box, centred, without the box picture.
    std::optional<SkinPicture> DropDownTextPicture() const;
    void SetDropDownText(std::u16string_view text) { m_dropDownText = text; }
    Language TextLanguage() const { return m_language; }
    CFont* TextFont();

    static const CMessageMap kMessageMap;

private:
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
    void OnListChoice(UINT id);
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM);

    void ToggleList();
    void CloseListWindow();

    const AssignDialogRow& m_row;
    std::array<ImageButton, 3> m_buttons;  // close, confirm, cancel: the hover order
    Language m_language = Language::English;
    CFont m_font;
    std::unique_ptr<CBitmap> m_canvas;
    std::u16string m_skinFolder;
    // None, or the one drop-down of the row.
    CDropDownGroup m_dropDowns;
    std::u16string m_dropDownText;
    std::uint8_t m_position = 0;
    CHoverFlags m_hover;
    CCtlColorBrush m_brush;
};
