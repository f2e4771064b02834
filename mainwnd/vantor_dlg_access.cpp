// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's elements as a screen reader and the keyboard reach them,
// in reading order: Minimise and Close, the tabs, the current page's boxes or
// ticks (an open list after its box), Default on the key page, Apply, Exit
// and the web link. Places come from the layout the clicks are tested
// against; values and ticks from what the pages draw.

#include <algorithm>

#include "app/lang/main_window_names.h"
#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/wnd/list_box.h"

namespace {

namespace names = main_window_names;

AccessibleElement Painted(AccessibleRole role, std::u16string_view name, const CRect& rect, unsigned states = 0,
    std::u16string value = {})
{
    return AccessibleElement{role, std::u16string(name), std::move(value), states, rect};
}

std::u16string LabelOf(const SkinPicture& picture)
{
    return picture.label ? std::u16string(picture.label->text) : std::u16string();
}

bool TickDrawnAt(const std::vector<SkinPicture>& pictures, const CRect& rect)
{
    return std::any_of(pictures.begin(), pictures.end(), [&rect](const SkinPicture& picture) {
        return picture.file == layout::kTickPicture && picture.topLeft == rect.TopLeft();
    });
}

}  // namespace

// The box of a drop-down, and its list while it is open.
void CVantorDlg::AppendDropDown(AccessibleElements& elements, const DropDownGeometry& geometry, std::u16string name,
    std::u16string value) const
{
    const CWnd* list = GetDlgItem(geometry.listId);
    const bool open = list != nullptr && list->IsWindowVisible();
    elements.push_back(Painted(AccessibleRole::ComboBox, name, geometry.box, open ? kAccExpanded : 0u,
        std::move(value)));
    if (open) {
        CRect rect;
        list->GetWindowRect(&rect);
        CPoint origin(rect.left, rect.top);
        ScreenToClient(&origin);
        elements.push_back({AccessibleRole::List, std::move(name), {}, 0,
            CRect(origin.x, origin.y, origin.x + rect.Width(), origin.y + rect.Height()), list->GetSafeHwnd()});
    }
}

void CVantorDlg::AppendPageElements(AccessibleElements& elements) const
{
    const Language language = m_language;
    switch (m_currentPage) {
    case layout::Page::Keys:
        for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
            for (std::size_t slot = 0; slot < layout::kSlotBoxCount; ++slot) {
                const std::u16string name = std::u16string(names::kKeySets[keySet].In(language)) + u" " +
                                            std::u16string(names::kButtons[slot].In(language));
                AppendDropDown(elements, layout::kSlotBoxes[keySet][slot], name,
                    LabelOf(m_keyPage.SlotBoxPicture(layout::hover::Slot(keySet, slot), false)));
            }
        }
        break;
    case layout::Page::Dpi:
        for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
            AppendDropDown(elements, layout::kStageBoxes[stage], std::u16string(names::kStages[stage].In(language)),
                LabelOf(m_dpiPage.StageBoxPicture(layout::hover::Stage(stage), false)));
        }
        break;
    case layout::Page::RateAndLighting: {
        std::vector<SkinPicture> drawn;
        m_rateLightingPage.AppendContent(drawn);
        for (std::size_t tick = 0; tick < layout::kRateTicks.size(); ++tick) {
            const CRect& rect = layout::kRateTicks[tick].rect;
            elements.push_back(Painted(AccessibleRole::RadioButton, names::kRates[tick].In(language), rect,
                TickDrawnAt(drawn, rect) ? kAccChecked : 0u));
        }
        for (std::size_t tick = 0; tick < layout::kLightingTicks.size(); ++tick) {
            const CRect& rect = layout::kLightingTicks[tick].rect;
            elements.push_back(Painted(AccessibleRole::RadioButton, names::kLighting[tick].In(language), rect,
                TickDrawnAt(drawn, rect) ? kAccChecked : 0u));
        }
        break;
    }
    default:
        break;
    }
}

AccessibleElements CVantorDlg::AccessibleChildren() const
{
    if (m_currentPage == layout::Page::None) {
        return {};
    }
    const Language language = m_language;
    AccessibleElements elements;
    elements.push_back(Painted(AccessibleRole::Button, names::kMinimise.In(language), layout::kMinimise.rect));
    elements.push_back(Painted(AccessibleRole::Button, names::kClose.In(language), layout::kClose.rect));
    for (std::size_t tab = 0; tab < layout::kTabs.size(); ++tab) {
        elements.push_back(Painted(AccessibleRole::PageTab, names::kTabs[tab].In(language), layout::kTabs[tab].rect,
            layout::kTabs[tab].page == m_currentPage ? kAccSelected : 0u));
    }
    AppendPageElements(elements);
    if (m_currentPage == layout::Page::Keys) {
        elements.push_back(Painted(AccessibleRole::Button, names::kDefault.In(language), layout::kDefault.rect));
    }
    elements.push_back(Painted(AccessibleRole::Button, names::kApply.In(language), layout::kApply.rect));
    elements.push_back(Painted(AccessibleRole::Button, names::kExit.In(language), layout::kExit.rect));
    elements.push_back(Painted(AccessibleRole::Link, m_strings.strWebSite, layout::kWebLink));
    return elements;
}
