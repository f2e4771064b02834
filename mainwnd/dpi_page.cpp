// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/dpi_page.h"

#include "lang/main_window_names.h"
#include "mainwnd/page_host.h"
#include "platform/gdi/dc.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"

namespace {

// The DPI value list of the table in force; empty for an unknown table.
std::vector<std::u16string_view> DpiValueList()
{
    std::vector<std::u16string_view> values;
    for (std::uint8_t position = 0; position < DpiPositionCount(); ++position) {
        values.push_back(DpiValueTextOfPosition(position));
    }
    return values;
}

constexpr std::array<ScreenElement, layout::hover::dpi::kCount> DpiPageElements()
{
    std::array<ScreenElement, layout::hover::dpi::kCount> elements{};
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        elements[layout::hover::dpi::Stage(stage)] = {ElementKind::DropDownBox, layout::kStageBoxes[stage].box, true};
    }
    return elements;
}
constexpr auto kElements = DpiPageElements();

}  // namespace

CDpiPage::CDpiPage(IPageHost& host) : m_host(host), m_boxes(layout::kStageBoxes, OpeningClosesOthers::Entirely) {}

void CDpiPage::AppendContent(std::vector<SkinPicture>& pictures)
{
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        m_labels[stage] = DpiValueTextOfPosition(g_settingsRecord.dpiStageIndex[stage]);
        pictures.push_back(LabelOnly(SkinLabel{m_boxes[stage].Box(), m_labels[stage], DT_CENTER}));
    }
}

bool CDpiPage::OnClick(CPoint point)
{
    m_boxes.CloseOutside(point);
    if (const auto stage = m_boxes.BoxAt(point)) {
        OnStageBox(*stage);
        return true;
    }
    return false;
}

void CDpiPage::OnStageBox(std::size_t stage)
{
    CDropDown& box = m_boxes[stage];
    if (box.IsOpen()) {
        box.Close();
        return;
    }
    m_boxes.CloseOthers(stage);
    if (box.HasList()) {
        return;
    }
    // With a table the program does not know the box opens no list, though
    // it counts as open until clicked again.
    if (const auto at = layout::StageListRect(box.Box(), DpiTableSet)) {
        box.CreateList(m_host.Window(), *at, DpiValueList());
    }
    box.SetOpen(true);
}

void CDpiPage::OnListChoice()
{
    std::vector<SkinPicture> pictures;
    for (std::size_t stage = 0; stage < m_boxes.Size(); ++stage) {
        CDropDown& box = m_boxes[stage];
        if (!box.HasList()) {
            continue;
        }
        const auto choice = box.Selection();
        if (!choice) {
            return;
        }
        m_labels[stage] = choice->text;
        g_settingsRecord.dpiStageIndex[stage] = static_cast<std::uint8_t>(choice->position);
        pictures.push_back(box.BoxPicture(false, m_labels[stage], DT_CENTER));
        box.Close();
    }
    m_host.Repaint(pictures);
}

void CDpiPage::CloseLists()
{
    m_boxes.CloseAll();
}

void CDpiPage::TrackListItem(CPoint screenPoint)
{
    m_boxes.TrackItemAt(screenPoint);
}

std::span<const ScreenElement> CDpiPage::Elements() const
{
    return kElements;
}

SkinPicture CDpiPage::ElementPicture(std::size_t element, bool over) const
{
    const std::size_t stage = element - layout::hover::dpi::Stage(0);
    return m_boxes[stage].BoxPicture(over, m_labels[stage], DT_CENTER);
}

std::u16string CDpiPage::ElementValue(std::size_t element) const
{
    return m_labels[element - layout::hover::dpi::Stage(0)];
}

std::u16string CDpiPage::ElementName(std::size_t element, Language language) const
{
    return std::u16string(main_window_names::kStages[element - layout::hover::dpi::Stage(0)].In(language));
}
