// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's elements as a screen reader and the keyboard reach them,
// in reading order: the tabs, the current page's boxes or ticks (an open list
// after its box), the page's own buttons (Default), Apply, Exit and the web
// link, and last Minimise and Close, which stand outside the window's content
// as a frame's buttons do: Tab from the page never lands on them first. What they are and where they lie come from the same
// element lists the hover and hit tests walk (layout::kWindowElements and the
// page's Elements()); a box's value and a tick's state come from the page.

#include "lang/main_window_names.h"
#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"

namespace {

namespace names = main_window_names;

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

AccessibleElement CVantorDlg::WindowElement(std::size_t element) const
{
    const ScreenElement& screen = layout::kWindowElements[element];
    std::u16string name;
    unsigned states = 0;
    switch (element) {
    case layout::hover::kApply:
        name = names::kApply.In(m_language);
        break;
    case layout::hover::kExit:
        name = names::kExit.In(m_language);
        break;
    case layout::hover::kClose:
        name = names::kClose.In(m_language);
        break;
    case layout::hover::kMinimise:
        name = names::kMinimise.In(m_language);
        break;
    case layout::kWebLinkElement:
        name = m_strings.strWebSite;
        break;
    default:
        name = names::kTabs[element - layout::kFirstTabElement].In(m_language);
        states = layout::kTabs[element - layout::kFirstTabElement].page == m_currentPage ? kAccSelected : 0u;
        break;
    }
    return AccessibleElement{RoleOf(screen.kind), std::move(name), {}, states, screen.rect};
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
    for (std::size_t tab = 0; tab < layout::kTabs.size(); ++tab) {
        elements.push_back(WindowElement(layout::kFirstTabElement + tab));
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
    elements.push_back(WindowElement(layout::hover::kApply));
    elements.push_back(WindowElement(layout::hover::kExit));
    elements.push_back(WindowElement(layout::kWebLinkElement));
    elements.push_back(WindowElement(layout::hover::kMinimise));
    elements.push_back(WindowElement(layout::hover::kClose));
    return elements;
}
