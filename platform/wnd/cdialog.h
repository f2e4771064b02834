// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dialog made from a template (platform/wnd/dialog_template.h). DoModal runs
// it in a nested message loop and returns the EndDialog code; Enter and Esc
// are the dialog keys (IDOK and IDCANCEL) unless pre-translation takes them.

#include <cstdint>

#include <optional>

#include "platform/wnd/cwnd.h"
#include "platform/wnd/dialog_template.h"
#include "platform/wnd/keyboard_focus.h"

using INT_PTR = std::intptr_t;

class CDialog : public CWnd {
public:
    // A dialog on a registered template (platform/wnd/dialog_template.h).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    // A dialog on its owner's template, which this registers under its id.
    explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended (or the code EndDialog was given);
    // -1 when the template is unknown or names an unregistered class, and
    // when the dialog is already running modally.
    virtual INT_PTR DoModal();
    // A modeless dialog (no loop of its own): made, initialised, shown when
    // the template is visible.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    bool IsModalEnded() const { return m_modalEnded; }
    // The code EndDialog was given; -1 while the dialog runs.
    int ModalResult() const { return m_modalResult; }

    // Ends every dialog running modally, the innermost first, as the cancel
    // command (IDCANCEL) does: each one's own cancel handling runs, and a
    // dialog that stays up after it is ended with IDCANCEL all the same.
    static void CancelModalDialogs();

    // The template's font: the dialog's own font unless it sets another.
    const DialogTemplate* Template() const { return m_template ? &*m_template : nullptr; }
    UINT TemplateId() const { return m_templateId; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // The dialog keys: Enter sends IDOK and Esc IDCANCEL to the dialog; Tab,
    // Shift+Tab and Space walk and use its elements (AccessibleChildren).
    BOOL PreTranslateMessage(MSG* msg) override;
    std::optional<CRect> FocusMarkRect() const override { return m_keyboardFocus.MarkRect(*this); }
    std::optional<std::size_t> FocusedChild() const override;
    const CKeyboardFocus& KeyboardFocus() const { return m_keyboardFocus; }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd = nullptr;

private:
    BOOL CreateFromTemplate(CWnd* owner);

    UINT m_templateId = 0;
    std::optional<DialogTemplate> m_ownTemplate;  // the one it was constructed with
    std::optional<DialogTemplate> m_template;     // the one its window was made from
    bool m_modal = false;
    bool m_modalEnded = false;
    int m_modalResult = -1;
    CKeyboardFocus m_keyboardFocus;
};
