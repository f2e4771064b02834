// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list dialogs (hot key, multimedia, Windows function, snipe): one
// drop-down list on the frame; the chosen position and its entry's text are
// the result. Confirmed untouched, they give position 0 and entry 0's text.

#include <span>
#include <string_view>
#include <vector>

#include "lang/language.h"
#include "dialogs/assign_dialog.h"

class CListDialog : public CAssignDialog {
public:
    using CAssignDialog::CAssignDialog;

protected:
    // The entries in the language of the dialog's texts.
    virtual std::vector<std::u16string_view> Entries(Language language) const = 0;

    void SetLanguageTexts(Language language) override;
    void AppendEraseContent(std::vector<SkinPicture>& pictures) const override;
    std::vector<std::u16string_view> ListEntries() const override;
};

// A list dialog whose entries are a fixed list of texts in three languages.
class CPresetListDialog : public CListDialog {
public:
    CPresetListDialog(const AssignDialogRow& row, std::span<const LocalizedText> presets, CWnd* parent);

protected:
    std::vector<std::u16string_view> Entries(Language language) const override;

private:
    std::span<const LocalizedText> m_presets;
};

// Eight ready-made Ctrl chords: Copy, Cut, Paste, Select all, Open, New, Save, Undo.
class CHotKeyDialog : public CPresetListDialog {
public:
    explicit CHotKeyDialog(CWnd* parent);
};

// Media transport and volume: Next, Previous, Stop, Play/Pause, Mute, Vol+, Vol-.
class CMediaDialog : public CPresetListDialog {
public:
    explicit CMediaDialog(CWnd* parent);
};

// Application-launch and browser functions: Multimedia Player to Browser-Refresh.
class CWindowsDialog : public CPresetListDialog {
public:
    explicit CWindowsDialog(CWnd* parent);
};
