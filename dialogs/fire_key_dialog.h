// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fire key dialog: the key or mouse button a fire button repeats, chosen
// from a scrolling list of 59, with three numbers typed into digit-only
// edits: how many times (0 to 127, 0 repeating until the button is let go),
// the press ("make") and the release ("break") time (5 to 255). The list
// covers the edits while it is open, so they are destroyed meanwhile and
// made again with the texts they showed.

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/assign_dialog.h"
#include "platform/wnd/edit.h"

// What the dialog starts from, whatever the slot held before.
inline constexpr std::uint8_t kFireTimesDefault = 1;
inline constexpr std::uint8_t kFireTimeDefault = 5;  // make and break alike

class CFireKeyDialog : public CAssignDialog {
public:
    explicit CFireKeyDialog(CWnd* parent);
    ~CFireKeyDialog() override;

    std::uint8_t Times() const { return m_values[kTimes]; }
    std::uint8_t MakeTime() const { return m_values[kMake]; }
    std::uint8_t BreakTime() const { return m_values[kBreak]; }

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }
    void SetLanguageTexts(Language language) override;
    void SetUpDialog() override;
    void AppendEraseContent(std::vector<SkinPicture>& pictures) const override;
    std::vector<std::u16string_view> ListEntries() const override;
    void OnListOpening() override;
    void OnListClosed() override;
    void TakeResults() override;
    // The three edits, named by their labels.
    void AppendAccessibleContent(AccessibleElements& elements) const override;

private:
    enum Field : std::size_t { kTimes, kMake, kBreak, kFieldCount };

    void CreateEdits();
    bool HasEdits() const;
    void OnTimesChange();
    void OnMakeKillFocus() { ValidateTime(kMake); }
    void OnBreakKillFocus() { ValidateTime(kBreak); }
    void ValidateTime(Field field);

    static const CMessageMap kMessageMap;

    std::array<std::uint8_t, kFieldCount> m_values{kFireTimesDefault, kFireTimeDefault, kFireTimeDefault};
    std::array<std::u16string, kFieldCount> m_texts{u"1", u"5", u"5"};  // what the edits are made with
    std::array<std::u16string_view, kFieldCount> m_labels;
    std::array<std::u16string_view, 2> m_helpLines;
    std::array<CEdit, kFieldCount> m_edits;
};
