// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's elements as a screen reader and the keyboard reach them,
// in reading order: the tabs, the current page's boxes or ticks (an open list
// after its box), the page's own buttons (Default), Apply, Exit and the web
// link, and last Minimise and Close, which stand outside the window's content
// as a frame's buttons do: Tab from the page never lands on them first. What
// they are and where they lie come from the same element lists the hover and
// hit tests walk (CVantorDlg::kOwnElements and the page's Elements()), whose
// order the window's own elements are read in; a box's value and a tick's
// state come from the page.

#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"

namespace {

AccessibleRole RoleOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Tab:
        return AccessibleRole::PageTab;
    case ElementKind::DropDownBox:
        return AccessibleRole::ComboBox;
    case ElementKind::Tick:
        return AccessibleRole::RadioButton;
    case ElementKind::Link:
        return AccessibleRole::Link;
    case ElementKind::Button:
        break;
    }
    return AccessibleRole::Button;
}

// The list id of the drop-down whose box lies there, from the layout.
std::optional<WORD> ListIdOfBox(const CRect& box)
{
    for (const auto& keySet : layout::kSlotBoxes) {
        for (const DropDownGeometry& geometry : keySet) {
            if (geometry.box == box) {
                return geometry.listId;
            }
        }
    }
    for (const DropDownGeometry& geometry : layout::kStageBoxes) {
        if (geometry.box == box) {
            return geometry.listId;
        }
    }
    return std::nullopt;
}

}  // namespace

AccessibleElement CVantorDlg::OwnAccessibleElement(const OwnElement& own) const
{
    std::u16string name = own.name != nullptr ? std::u16string(own.name->In(m_language)) : m_strings.strWebSite;
    const unsigned states = own.page != layout::Page::None && own.page == m_currentPage ? kAccSelected : 0u;
    return AccessibleElement{RoleOf(own.element.kind), std::move(name), {}, states, own.element.rect};
}

// The box, its value as the page holds it, and its list while that is open.
void CVantorDlg::AppendPageElement(AccessibleElements& elements, std::size_t element) const
{
    const IPage& page = *CurrentPage();
    const ScreenElement& screen = page.Elements()[element];
    AccessibleElement accessible{RoleOf(screen.kind), page.ElementName(element, m_language), {}, 0, screen.rect};
    if (screen.kind == ElementKind::Tick) {
        accessible.states = page.ElementTicked(element) ? kAccChecked : 0u;
    }
    const CWnd* list = nullptr;
    if (screen.kind == ElementKind::DropDownBox) {
        accessible.value = page.ElementValue(element);
        const auto listId = ListIdOfBox(screen.rect);
        list = listId ? GetDlgItem(*listId) : nullptr;
        list = list != nullptr && list->IsWindowVisible() ? list : nullptr;
        accessible.states = list != nullptr ? kAccExpanded : 0u;
    }
    const std::u16string name = accessible.name;
    elements.push_back(std::move(accessible));
    if (list != nullptr) {
        CRect rect;
        list->GetWindowRect(&rect);
        CPoint origin(rect.left, rect.top);
        ScreenToClient(&origin);
        elements.push_back({AccessibleRole::List, name, {}, 0,
            CRect(origin.x, origin.y, origin.x + rect.Width(), origin.y + rect.Height()), list->GetSafeHwnd()});
    }
}

AccessibleElements CVantorDlg::AccessibleChildren() const
{
    const IPage* page = CurrentPage();
    if (page == nullptr) {
        return {};
    }
    AccessibleElements elements;
    for (const OwnElement& own : kOwnElements) {
        if (own.element.kind == ElementKind::Tab) {
            elements.push_back(OwnAccessibleElement(own));
        }
    }
    // The page's settings, then its buttons, which sit in the window's
    // bottom row beside Apply and Exit.
    const std::span<const ScreenElement> pageElements = page->Elements();
    for (const bool buttons : {false, true}) {
        for (std::size_t element = 0; element < pageElements.size(); ++element) {
            if ((pageElements[element].kind == ElementKind::Button) == buttons) {
                AppendPageElement(elements, element);
            }
        }
    }
    for (const OwnElement& own : kOwnElements) {
        if (own.element.kind != ElementKind::Tab) {
            elements.push_back(OwnAccessibleElement(own));
        }
    }
    return elements;
}
