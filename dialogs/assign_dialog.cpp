// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/assign_dialog.h"

#include "platform/gdi/dc.h"
#include "platform/msg_box.h"
#include "platform/services/system_info.h"
#include "platform/winuser.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/mouse_track.h"
#include "settings/exe_path.h"
#include "skin/canvas.h"
#include "skin/skin_fonts.h"

namespace {

// The pointer rests this long on a button before its "-over" picture is drawn.
constexpr DWORD kHoverTimeMs = 10;

constexpr char16_t kErrorText[] = u"error";

// The buttons in the order a hover report tests them, and each one's
// neighbour: the confirming and the cancelling button are each other's, Close
// has none.
enum HoverButton : std::size_t { kClose, kConfirm, kCancel };
constexpr std::optional<std::size_t> kNeighbour[] = {std::nullopt, kCancel, kConfirm};

}  // namespace

const CMessageMap CAssignDialog::kMessageMap = {
    ON_WM_ERASEBKGND(&CAssignDialog::OnEraseBkgnd),
    ON_WM_LBUTTONDOWN(&CAssignDialog::OnLButtonDown),
    ON_WM_MOUSEMOVE(&CAssignDialog::OnMouseMove),
    ON_WM_MOUSEHOVER(&CAssignDialog::OnMouseHover),
    ON_WM_CTLCOLOR(&CAssignDialog::OnCtlColor),
    ON_LBN_SELCHANGE_RANGE(dialog_rows::kFirstListId, dialog_rows::kLastListId, &CAssignDialog::OnListChoice),
    ON_LBN_DBLCLK_RANGE(dialog_rows::kFirstListId, dialog_rows::kLastListId, &CAssignDialog::OnListChoice),
    ON_MESSAGE(WM_DPICHANGED, &CAssignDialog::OnDpiChanged),
};

CAssignDialog::CAssignDialog(const AssignDialogRow& row, CWnd* parent)
    : CDialog(row.dialogTemplate, parent),
      m_row(row),
      m_buttons{row.buttons.close, row.buttons.confirm, row.buttons.cancel},
      m_dropDowns(row.HasDropDown() ? std::span(&row.dropDown, 1) : std::span<const DropDownGeometry>(),
          OpeningClosesOthers::Entirely),
      m_hover(m_buttons.size())
{
}

// The window goes while the members it may still call on (the list among
// them) are there.
CAssignDialog::~CAssignDialog()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CAssignDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LANGID langId = GetSystemDefaultLangID();
    m_language = LanguageFromLangId(langId);
    if (m_row.ownFont) {
        CreateListFont(m_font, langId, GetVersion());
    }
    m_skinFolder = PathBesideExe(SkinFolderName(SkinLanguageFor(langId)));
    m_canvas = LoadCanvas(m_skinFolder + std::u16string(m_row.picture), GetDpiForWindow(m_hWnd));
    if (!m_canvas) {
        // The dialog still opens, blank; its buttons and box still work.
        MessageBoxW(m_hWnd, kErrorText, std::u16string(m_row.failureCaption).c_str(), MB_OK);
        return TRUE;
    }
    SetWindowText(m_row.title.In(m_language));
    SetLanguageTexts(m_language);
    SetUpDialog();
    return TRUE;
}

AccessibleElements CAssignDialog::AccessibleChildren() const
{
    AccessibleElements elements;
    if (m_dropDowns.Size() > 0) {
        const CDropDown& dropDown = m_dropDowns[0];
        const std::u16string boxName(m_row.boxName.In(m_language));
        elements.push_back({AccessibleRole::ComboBox, boxName, m_dropDownText, IsListOpen() ? kAccExpanded : 0u,
            dropDown.Box()});
        if (const CListBox* list = dropDown.List(); list != nullptr && IsListOpen()) {
            elements.push_back({AccessibleRole::List, boxName, {}, 0, m_row.dropDown.list, list->GetSafeHwnd()});
        }
    }
    AppendAccessibleContent(elements);
    const auto button = [this](const ImageButton& image, const LocalizedText& name) {
        return AccessibleElement{AccessibleRole::Button, std::u16string(name.In(m_language)), {}, 0, image.rect};
    };
    elements.push_back(button(m_row.buttons.confirm, m_row.buttons.confirmName));
    elements.push_back(button(m_row.buttons.cancel, m_row.buttons.cancelName));
    elements.push_back(button(m_row.buttons.close, dialog_texts::kClose));
    return elements;
}

void CAssignDialog::OnOK()
{
    TakeResults();
    CDialog::OnOK();
}

// List dialogs highlight the item under the pointer before a move is handled;
// only a click chooses.
BOOL CAssignDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEMOVE) {
        m_dropDowns.TrackItemAt(msg->pt);
    }
    return CDialog::PreTranslateMessage(msg);
}

CFont* CAssignDialog::TextFont()
{
    return m_font.IsNull() ? nullptr : &m_font;
}

void CAssignDialog::Draw(std::span<const SkinPicture> pictures)
{
    RepaintCanvas(*this, m_canvas.get(), m_skinFolder, pictures, TextFont());
}

void CAssignDialog::AppendEraseContent(std::vector<SkinPicture>&) const {}

std::optional<SkinPicture> CAssignDialog::DropDownTextPicture() const
{
    if (m_dropDowns.Size() == 0) {
        return std::nullopt;
    }
    return LabelOnly(SkinLabel{m_dropDowns[0].Box(), m_dropDownText, DT_CENTER});
}

// On a screen of another density the dialog is drawn again from its picture
// at that density rather than shown enlarged or reduced: the canvas anew with
// the hovered buttons and what the dialog drew on it; erasing, which the
// default handling asks for, adds the texts. Should the picture have gone,
// the old canvas stays and is shown resampled.
LRESULT CAssignDialog::OnDpiChanged(WPARAM, LPARAM)
{
    Default();
    if (!m_canvas) {
        return 0;
    }
    std::unique_ptr<CBitmap> canvas =
        LoadCanvas(m_skinFolder + std::u16string(m_row.picture), GetDpiForWindow(m_hWnd));
    if (!canvas) {
        return 0;
    }
    m_canvas = std::move(canvas);
    std::vector<SkinPicture> pictures;
    AppendCanvasState(pictures);
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (m_hover.IsSet(index)) {
            pictures.push_back(m_buttons[index].Over());
        }
    }
    if (!pictures.empty()) {
        Draw(pictures);
    }
    return 0;
}

BOOL CAssignDialog::OnEraseBkgnd(CDC* dc)
{
    std::vector<SkinPicture> pictures;
    AppendEraseContent(pictures);
    CRect client;
    GetClientRect(&client);
    RepaintCanvasOnto(m_hWnd, dc, client, m_canvas.get(), m_skinFolder, pictures, TextFont());
    return TRUE;
}

// Each test stands on its own, in this order: a click on Save with the list
// open closes the list and confirms.
void CAssignDialog::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_dropDowns.CloseOutside(point)) {
        OnListClosed();
    }
    if (m_row.buttons.confirm.rect.PtInRect(point)) {
        OnOK();
    }
    if (m_row.buttons.cancel.rect.PtInRect(point)) {
        OnCancel();
    }
    if (m_row.buttons.close.rect.PtInRect(point)) {
        OnCancel();
    }
    if (m_dropDowns.BoxAt(point)) {
        ToggleList();
    }
    CDialog::OnLButtonDown(flags, point);
}

void CAssignDialog::ToggleList()
{
    if (IsListOpen()) {
        CloseListWindow();
        return;
    }
    OnListOpening();
    m_dropDowns.Open(0, *this, ListEntries());
}

void CAssignDialog::CloseListWindow()
{
    m_dropDowns.CloseAll();
    OnListClosed();
}

void CAssignDialog::OnListChoice(UINT id)
{
    if (m_dropDowns.Size() == 0 || id != m_row.dropDown.listId) {
        return;
    }
    CDropDown& dropDown = m_dropDowns[0];
    dropDown.SetOpen(false);
    const auto choice = dropDown.Selection();
    if (!choice) {
        return;
    }
    m_dropDownText = choice->text;
    m_position = static_cast<std::uint8_t>(choice->position);
    dropDown.DestroyList();
    const SkinPicture box = dropDown.BoxPicture(false, m_dropDownText, DT_CENTER);
    Draw({&box, 1});
    OnListClosed();
}

void CAssignDialog::OnMouseMove(UINT flags, CPoint point)
{
    if (HitTestButtons(m_buttons, point)) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_HOVER;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = kHoverTimeMs;
        _TrackMouseEvent(&track);
    } else if (m_hover.Any()) {
        // Unlike the main window, a dialog draws back every hovered button at once.
        std::vector<SkinPicture> pictures;
        for (const std::size_t index : m_hover.TakeAll()) {
            pictures.push_back(m_buttons[index].Normal());
        }
        Draw(pictures);
    }
    CDialog::OnMouseMove(flags, point);
}

void CAssignDialog::OnMouseHover(UINT flags, CPoint point)
{
    if (const auto button = HitTestButtons(m_buttons, point)) {
        std::vector<SkinPicture> pictures{m_buttons[*button].Over()};
        m_hover.Set(*button);
        if (const auto neighbour = kNeighbour[*button]; neighbour && m_hover.IsSet(*neighbour)) {
            pictures.push_back(m_buttons[*neighbour].Normal());
            m_hover.Clear(*neighbour);
        }
        Draw(pictures);
    }
    CDialog::OnMouseHover(flags, point);
}

HBRUSH CAssignDialog::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_LISTBOX || ctlColor == CTLCOLOR_EDIT) {
        return ColorSkinnedControl(dc, TextFont(), m_brush);
    }
    return CDialog::OnCtlColor(dc, control, ctlColor);
}
