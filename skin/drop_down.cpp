// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/drop_down.h"

#include "platform/wnd/list_box.h"

CDropDown::CDropDown(const DropDownGeometry& geometry) : m_geometry(geometry) {}

CDropDown::CDropDown(CDropDown&&) noexcept = default;
CDropDown& CDropDown::operator=(CDropDown&&) noexcept = default;
CDropDown::~CDropDown() = default;

bool CDropDown::CreateList(CWnd& parent, std::span<const std::u16string_view> entries)
{
    return CreateList(parent, m_geometry.list, entries);
}

bool CDropDown::CreateList(CWnd& parent, const CRect& at, std::span<const std::u16string_view> entries)
{
    DestroyList();
    // The list object outlives its windows: a list is often closed from its
    // own notification, while its handler is still running.
    if (!m_list) {
        m_list = std::make_unique<CListBox>();
    }
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | (m_geometry.scrollBar ? WS_VSCROLL : 0);
    if (!m_list->Create(style, at, &parent, m_geometry.listId)) {
        return false;
    }
    for (const std::u16string_view entry : entries) {
        m_list->AddString(entry);
    }
    return true;
}

bool CDropDown::HasList() const
{
    return m_list && m_list->GetSafeHwnd() != nullptr;
}

CListBox* CDropDown::List() const
{
    return HasList() ? m_list.get() : nullptr;
}

void CDropDown::DestroyList()
{
    if (HasList()) {
        m_list->DestroyWindow();
    }
}

void CDropDown::Close()
{
    DestroyList();
    m_open = false;
}

std::optional<CDropDown::Choice> CDropDown::Selection() const
{
    const CListBox* list = List();
    const int position = list != nullptr ? list->GetCurSel() : LB_ERR;
    if (position == LB_ERR) {
        return std::nullopt;
    }
    Choice choice;
    choice.position = position;
    list->GetText(position, choice.text);
    return choice;
}

bool CDropDown::TrackItemAt(CPoint screenPoint)
{
    CListBox* list = List();
    if (list == nullptr) {
        return false;
    }
    CRect onScreen;
    list->GetWindowRect(&onScreen);
    if (!onScreen.PtInRect(screenPoint)) {
        return false;
    }
    CPoint client = screenPoint;
    list->ScreenToClient(&client);
    BOOL outside = FALSE;
    const UINT item = list->ItemFromPoint(client, outside);
    list->SetCurSel(static_cast<int>(item));
    return true;
}

SkinPicture CDropDown::BoxPicture(bool over, std::u16string_view text, UINT align) const
{
    return SkinPicture{over ? kDropDownOverPicture : kDropDownNormalPicture, m_geometry.box.TopLeft(),
        SkinLabel{m_geometry.box, text, align}};
}
