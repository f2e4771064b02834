// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drop-downs of one window (a page's boxes, a dialog's box), of which one
// at a time is meant to be open. The group does what every owner does alike:
// a click closes the open drop-downs it misses, opening one first closes the
// others by the group's rule, pointer moves track the item under the pointer
// in whichever list lies there. What happens between (checks that refuse to
// open, which list to make and where) stays with the owner.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "skin/drop_down.h"

// What opening a drop-down does to the others.
enum class OpeningClosesOthers {
    // Every other open flag is cleared, and only the first other list that
    // is there is destroyed: further lists may stay on screen, closed.
    FlagsAndFirstList,
    // Every other drop-down is closed, list and flag.
    Entirely,
};

class CDropDownGroup {
public:
    CDropDownGroup(std::span<const DropDownGeometry> geometries, OpeningClosesOthers rule);

    std::size_t Size() const { return m_dropDowns.size(); }
    CDropDown& operator[](std::size_t index) { return m_dropDowns[index]; }
    const CDropDown& operator[](std::size_t index) const { return m_dropDowns[index]; }

    // The first drop-down whose box holds the point.
    std::optional<std::size_t> BoxAt(CPoint point) const;
    // The first drop-down that has a list window.
    std::optional<std::size_t> FirstWithList() const;

    // A click in the owner: each open drop-down whose guard and box both miss
    // the point is closed. Returns whether one was.
    bool CloseOutside(CPoint point);
    // Before drop-down `index` opens: the others by the group's rule.
    void CloseOthers(std::size_t index);
    // Drop-down `index` opens: a list still there is shown as it is,
    // otherwise one is made with the entries; the flag is set either way.
    void Open(std::size_t index, CWnd& parent, std::span<const std::u16string_view> entries);
    void CloseAll();

    // Item tracking in whichever list lies under the screen point; whether one did.
    bool TrackItemAt(CPoint screenPoint);

private:
    std::vector<CDropDown> m_dropDowns;
    OpeningClosesOthers m_rule;
};
