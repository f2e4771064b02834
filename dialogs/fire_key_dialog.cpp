// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/fire_key_dialog.h"

#include <algorithm>

#include "platform/gdi/dc.h"
#include "settings/key_vocabulary.h"

namespace {

struct EditRow {
    WORD id;
    CRect edit;
    CRect label;  // the edit's label, right-aligned
    LocalizedText labelText;
};

// Times, make time, break time.
constexpr std::array<EditRow, 3> kEditRows = {{
    {573, {106, 115, 225, 137}, {16, 115, 96, 137}, {u"Times", u"次数", u"次數"}},
    {574, {106, 154, 225, 176}, {16, 154, 96, 176}, {u"Make Time", u"按下时间", u"按下時間"}},
    {575, {106, 191, 225, 213}, {16, 191, 96, 213}, {u"Break Time", u"弹起时间", u"彈起時間"}},
}};

// Left-aligned under the edits; the long ones run past the window's edge.
struct HelpLine {
    CRect rect;
    LocalizedText text;
};
constexpr std::array<HelpLine, 2> kHelpLines = {{
    {{16, 217, 456, 243}, {u"Time (value range 5-255)", u"时间(数值范围5-255)", u"時間(數值範圍5-255)"}},
    {{16, 233, 456, 259},
        {u"Times (value range 0-127,0 indicates fire key to end when the key released)",
            u"次数(数值范围0-127，0表示按键放开火力键结束)", u"次數(數值範圍0-127，0表示按鍵放開火力鍵結束)"}},
}};

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER;

constexpr unsigned kTimesLimit = 128;  // 0 to 127
constexpr unsigned kTimeMinimum = 5;
constexpr unsigned kTimeLimit = 256;  // 5 to 255
constexpr char16_t kTimesFallback[] = u"1";
constexpr char16_t kTimeFallback[] = u"5";

// The number the text's leading digits make, base 10; 0 for none. Held at
// a bound far above every limit, so that a long run of digits cannot wrap
// round into range.
unsigned LeadingNumber(std::u16string_view text)
{
    constexpr unsigned kCeiling = 100000;
    unsigned value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = std::min(kCeiling, value * 10 + static_cast<unsigned>(c - u'0'));
    }
    return value;
}

// The fire-key list's names are ASCII; the list box takes wide texts.
const std::array<std::u16string, kFireKeyCount>& FireKeyNames()
{
    static const auto names = [] {
        std::array<std::u16string, kFireKeyCount> wide;
        std::transform(kFireKeyList.begin(), kFireKeyList.end(), wide.begin(),
            [](const KeyNameRow& row) { return std::u16string(row.name.begin(), row.name.end()); });
        return wide;
    }();
    return names;
}

}  // namespace

// Every change of the times is checked at once; the two times only when their
// edit loses the focus. A change of either time checks nothing: the edits
// repaint themselves.
const CMessageMap CFireKeyDialog::kMessageMap{&CAssignDialog::kMessageMap,
    {
        ON_EN_CHANGE(kEditRows[kTimes].id, &CFireKeyDialog::OnTimesChange),
        ON_EN_KILLFOCUS(kEditRows[kMake].id, &CFireKeyDialog::OnMakeKillFocus),
        ON_EN_KILLFOCUS(kEditRows[kBreak].id, &CFireKeyDialog::OnBreakKillFocus),
    }};

CFireKeyDialog::CFireKeyDialog(CWnd* parent) : CAssignDialog(kFireKeyDialog, parent) {}

CFireKeyDialog::~CFireKeyDialog()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

void CFireKeyDialog::SetLanguageTexts(Language language)
{
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        m_labels[field] = kEditRows[field].labelText.In(language);
    }
    for (std::size_t line = 0; line < kHelpLines.size(); ++line) {
        m_helpLines[line] = kHelpLines[line].text.In(language);
    }
    SetDropDownText(FireKeyNames()[0]);
}

void CFireKeyDialog::AppendAccessibleContent(AccessibleElements& elements) const
{
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        const CEdit& edit = m_edits[field];
        if (edit.GetSafeHwnd() == nullptr) {
            continue;  // under the open list
        }
        std::u16string text;
        edit.GetWindowText(text);
        elements.push_back({AccessibleRole::Edit, std::u16string(kEditRows[field].labelText.In(TextLanguage())),
            text, 0, kEditRows[field].edit, edit.GetSafeHwnd()});
    }
}

void CFireKeyDialog::SetUpDialog()
{
    CreateEdits();
}

void CFireKeyDialog::AppendEraseContent(std::vector<SkinPicture>& pictures) const
{
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        pictures.push_back(LabelOnly(PlainText(kEditRows[field].label, m_labels[field], DT_RIGHT)));
    }
    for (std::size_t line = 0; line < kHelpLines.size(); ++line) {
        pictures.push_back(LabelOnly(PlainText(kHelpLines[line].rect, m_helpLines[line], DT_LEFT)));
    }
    if (auto text = DropDownTextPicture()) {
        pictures.push_back(*text);
    }
}

std::vector<std::u16string_view> CFireKeyDialog::ListEntries() const
{
    const auto& names = FireKeyNames();
    return {names.begin(), names.end()};
}

bool CFireKeyDialog::HasEdits() const
{
    return std::all_of(m_edits.begin(), m_edits.end(), [](const CEdit& edit) { return edit.GetSafeHwnd() != nullptr; });
}

void CFireKeyDialog::CreateEdits()
{
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        CEdit& edit = m_edits[field];
        if (edit.GetSafeHwnd() == nullptr && edit.Create(kEditStyle, kEditRows[field].edit, this, kEditRows[field].id)) {
            // A copy: setting the times text checks it, which writes it back.
            const std::u16string text = m_texts[field];
            edit.SetWindowText(text);
        }
    }
}

// The list covers the edits. A time typed and not yet checked is checked
// now, as the focus leaving it would, so that what comes back is what was
// shown.
void CFireKeyDialog::OnListOpening()
{
    if (!HasEdits()) {
        return;
    }
    ValidateTime(kMake);
    ValidateTime(kBreak);
    for (CEdit& edit : m_edits) {
        edit.DestroyWindow();
    }
}

// A blank dialog (its picture did not load) never gets its edits.
void CFireKeyDialog::OnListClosed()
{
    if (HasBackground() && !HasEdits()) {
        CreateEdits();
    }
}

// Save takes what the edits show: a time typed but not yet checked (the
// focus never left its edit) is checked and taken like any other, so the
// mouse gets the number the user sees.
void CFireKeyDialog::TakeResults()
{
    if (m_edits[kMake].GetSafeHwnd() != nullptr) {
        ValidateTime(kMake);
    }
    if (m_edits[kBreak].GetSafeHwnd() != nullptr) {
        ValidateTime(kBreak);
    }
}

void CFireKeyDialog::OnTimesChange()
{
    CEdit& edit = m_edits[kTimes];
    edit.GetWindowText(m_texts[kTimes]);
    unsigned times = LeadingNumber(m_texts[kTimes]);
    if (times >= kTimesLimit) {
        // Setting the text comes back here and keeps the new text.
        edit.SetWindowText(kTimesFallback);
        times = LeadingNumber(kTimesFallback);
    }
    m_values[kTimes] = static_cast<std::uint8_t>(times);
}

void CFireKeyDialog::ValidateTime(Field field)
{
    CEdit& edit = m_edits[field];
    edit.GetWindowText(m_texts[field]);
    unsigned time = LeadingNumber(m_texts[field]);
    if (time < kTimeMinimum || time >= kTimeLimit) {
        edit.SetWindowText(kTimeFallback);
        m_texts[field] = kTimeFallback;
        time = LeadingNumber(kTimeFallback);
    }
    m_values[field] = static_cast<std::uint8_t>(time);
}
