// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DPI page: four stage boxes, each opening the list of DPI values of the
// table the mouse reports, and the four stage labels the window holds.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "mainwnd/layout.h"
#include "mainwnd/page.h"
#include "skin/drop_down_group.h"

class IPageHost;

class CDpiPage final : public IPage {
public:
    explicit CDpiPage(IPageHost& host);

    // The page's content after its picture: the stage labels, taken afresh
    // from the record and the DPI value list in force, centred in their boxes.
    void AppendContent(std::vector<SkinPicture>& pictures) override;

    // A click on the page: open lists the point is not in (guard or box) are
    // closed, then the four boxes are tested. Returns whether one was hit.
    bool OnClick(CPoint point) override;
    // A choice (or double click) in a stage list.
    void OnListChoice() override;
    void CloseLists() override;
    void TrackListItem(CPoint screenPoint) override;

    // The four stage boxes (layout::hover::dpi), each drawn with its label.
    std::span<const ScreenElement> Elements() const override;
    SkinPicture ElementPicture(std::size_t element, bool over) const override;
    std::u16string ElementName(std::size_t element, Language language) const override;
    std::u16string ElementValue(std::size_t element) const override;

private:
    void OnStageBox(std::size_t stage);

    IPageHost& m_host;
    // Opening one closes every other, list and flag.
    CDropDownGroup m_boxes;
    std::array<std::u16string, kDpiStageCount> m_labels;
};
