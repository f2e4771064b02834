// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/list_dialog.h"

#include "settings/key_vocabulary.h"

void CListDialog::SetLanguageTexts(Language language)
{
    const std::vector<std::u16string_view> entries = Entries(language);
    SetDropDownText(entries.empty() ? std::u16string_view() : entries.front());
}

// The buttons are drawn normal over whatever the canvas held, then the text
// of the chosen entry in its box.
void CListDialog::AppendEraseContent(std::vector<SkinPicture>& pictures) const
{
    pictures.push_back(Row().buttons.confirm.Normal());
    pictures.push_back(Row().buttons.cancel.Normal());
    if (auto text = DropDownTextPicture()) {
        pictures.push_back(*text);
    }
}

std::vector<std::u16string_view> CListDialog::ListEntries() const
{
    return Entries(TextLanguage());
}

CPresetListDialog::CPresetListDialog(const AssignDialogRow& row, std::span<const LocalizedText> presets,
    CWnd* parent)
    : CListDialog(row, parent), m_presets(presets)
{
}

std::vector<std::u16string_view> CPresetListDialog::Entries(Language language) const
{
    std::vector<std::u16string_view> entries;
    entries.reserve(m_presets.size());
    for (const LocalizedText& preset : m_presets) {
        entries.push_back(preset.In(language));
    }
    return entries;
}

CHotKeyDialog::CHotKeyDialog(CWnd* parent) : CPresetListDialog(kHotKeyDialog, kHotKeyPresetList, parent) {}

CMediaDialog::CMediaDialog(CWnd* parent) : CPresetListDialog(kMediaDialog, kMultimediaList, parent) {}

CWindowsDialog::CWindowsDialog(CWnd* parent) : CPresetListDialog(kWindowsDialog, kWindowsFunctionList, parent) {}
