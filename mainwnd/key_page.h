// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key page: twelve slot boxes (six slots of key set 1 on the left, of key
// set 2 on the right), each opening the slot's function list, and Default.
// A choice stores the function code for the slot; the special functions first
// run their assignment dialog. The page keeps the sixteen slot labels.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mainwnd/layout.h"
#include "mainwnd/page.h"
#include "mainwnd/slot_assignment.h"
#include "settings/label_file.h"
#include "skin/drop_down_group.h"

class CAssignmentDialogs;
class IPageHost;

class CKeyPage final : public IPage {
public:
    CKeyPage(IPageHost& host, CAssignmentDialogs& dialogs);

    // Where the labels live: str.ini and the section of the language in force.
    void UseLabelFile(std::u16string labelFile, std::u16string section);
    void LoadLabels();
    const SlotLabels& Labels() const { return m_labels; }

    // config.bin's first byte as read at start-up: 0 asks for the first-run
    // defaults at the page's first drawing.
    void UseAppliedBeforeFlag(std::uint8_t appliedBeforeFlag) { m_appliedBeforeFlag = appliedBeforeFlag; }

    // The page's content after its picture: the first time in the process
    // the first-run defaults when appliedBeforeFlag is 0, then the twelve labels.
    void AppendContent(std::vector<SkinPicture>& pictures, std::uint8_t appliedBeforeFlag);
    void AppendContent(std::vector<SkinPicture>& pictures) override;

    // A click on the page: open lists the point is not in (list or box) are
    // closed, then Default and the twelve boxes are tested in order. Returns
    // whether one of them was hit.
    bool OnClick(CPoint point) override;
    // A choice (or double click) in a function list.
    void OnListChoice() override;
    void CloseLists() override;
    void TrackListItem(CPoint screenPoint) override;
    // The labels as Apply last wrote them.
    void RevertToApplied() override { LoadLabels(); }

    // Default, then the slot boxes (layout::hover::keys); a box is drawn
    // with its label.
    std::span<const ScreenElement> Elements() const override;
    SkinPicture ElementPicture(std::size_t element, bool over) const override;
    std::u16string ElementName(std::size_t element, Language language) const override;
    std::u16string ElementValue(std::size_t element) const override;

private:
    void ApplyFirstRunDefaults();
    void OnDefault();
    void OnSlotBox(SlotRef ref);
    // The assignment dialog of a special function, its confirmed result stored.
    void RunAssignmentDialog(const SlotFunction& function, SlotRef ref);
    std::optional<SlotRef> FirstSlotWithList() const;
    static std::size_t BoxIndex(SlotRef ref) { return ref.keySet * layout::kSlotBoxCount + ref.slot; }
    CDropDown& Box(SlotRef ref) { return m_boxes[BoxIndex(ref)]; }
    SkinPicture BoxPicture(SlotRef ref, bool over) const;

    IPageHost& m_host;
    CAssignmentDialogs& m_dialogs;
    // Key set 1's six boxes, then key set 2's. Opening one clears every other
    // open flag but destroys only the first other list there is.
    CDropDownGroup m_boxes;
    SlotLabels m_labels;
    std::u16string m_labelFile;
    std::u16string m_labelSection;
    std::uint8_t m_appliedBeforeFlag = 0;
    bool m_firstDrawDone = false;
};
