// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single key dialog: a button slot gets one keyboard key, given by
// pressing it. While the dialog is open a keyboard hook on the user-interface
// thread sees every key message (down, repeat and up) before it is handled,
// and the dialog shows the key's name in its key box. The last name shown is
// the result. Enter and Esc are captured as keys: they neither confirm nor
// cancel here, and the Windows keys go no further than the hook.

#include <string>
#include <string_view>

#include "dialogs/assign_dialog.h"
#include "platform/wnd/msg.h"

// Sent by the hook to the open dialog after each captured key name.
inline constexpr UINT kKeyCapturedMessage = 0xB04;

// Room for a captured key name, its terminating zero included.
inline constexpr int kCapturedNameCapacity = 32;

class CSingleDialog : public CAssignDialog {
public:
    explicit CSingleDialog(CWnd* parent);
    ~CSingleDialog() override;

    // Empty until a key is pressed in this opening of the dialog.
    const std::u16string& KeyName() const { return m_keyName; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }
    void SetLanguageTexts(Language language) override;
    void SetUpDialog() override;
    void AppendEraseContent(std::vector<SkinPicture>& pictures) const override;
    void AppendCanvasState(std::vector<SkinPicture>& pictures) const override;
    // The key box: the name of the key captured last.
    void AppendAccessibleContent(AccessibleElements& elements) const override;
    // The key box with the captured name.
    SkinPicture KeyBox() const;

private:
    LRESULT OnKeyCaptured(WPARAM, LPARAM);
    BOOL OnHelpInfo(HELPINFO* info);
    // The hook goes with the window, at the end of the modal loop whatever
    // its result (removing one that failed to install does nothing).
    void OnDestroy();
    static LRESULT KeyboardProc(int code, WPARAM wParam, LPARAM lParam);

    static const CMessageMap kMessageMap;

    std::u16string m_keyName;
    std::u16string_view m_prompt;
};
