// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DPI page: four stage boxes, each opening the list of DPI values of the
// table the mouse reports, and the four stage labels the window holds.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "mainwnd/layout.h"
#include "skin/drop_down.h"

class IPageHost;

class CDpiPage {
public:
    explicit CDpiPage(IPageHost& host);

    // The page's content after its picture: the stage labels, taken afresh
    // from the record and the DPI value list in force, centred in their boxes.
    void AppendContent(std::vector<SkinPicture>& pictures);

    // A click on the page: open lists the point is not in (guard or box) are
    // closed, then the four boxes are tested. Returns whether one was hit.
    bool OnClick(CPoint point);
    // A choice (or double click) in a stage list.
    void OnListChoice();
    void CloseLists();
    void TrackListItem(CPoint screenPoint);

    std::optional<std::size_t> StageElementAt(CPoint point) const;
    SkinPicture StageBoxPicture(std::size_t element, bool over) const;

private:
    void OnStageBox(std::size_t stage);

    IPageHost& m_host;
    std::vector<CDropDown> m_boxes;
    std::array<std::u16string, kDpiStageCount> m_labels;
};
