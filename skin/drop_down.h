// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A painted drop-down: a box drawn from the skin's "/DropdownBox-normal.png"
// or "-over.png" with its current text, and a real list box child that lives
// only while the drop-down is open. The main window's slot and stage boxes
// and the assignment dialogs' boxes are all of this kind.
//
// The open flag and the list window are kept apart on purpose: the windows
// that own drop-downs clear the flag and destroy the window at different
// moments (a choice without a selection clears the flag and keeps the list,
// a box that cannot fill a list still counts as opened), and the drop-down
// does exactly what its owner asks, no more.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "skin/repaint.h"

class CListBox;
class CWnd;

struct DropDownGeometry {
    constexpr DropDownGeometry() = default;
    constexpr DropDownGeometry(WORD id, const CRect& boxRect, const CRect& listRect, const CRect& guardRect = {},
        bool withScrollBar = false)
        : listId(id), box(boxRect), list(listRect), guard(guardRect), scrollBar(withScrollBar)
    {
    }

    WORD listId = 0;
    CRect box;    // the painted box, client pixels of the owner
    CRect list;   // where the list window opens
    CRect guard;  // a click here leaves an open list open; empty: the list rectangle
    bool scrollBar = false;

    constexpr const CRect& Guard() const { return guard.IsRectEmpty() ? list : guard; }
};

// The box pictures.
inline constexpr std::u16string_view kDropDownNormalPicture = u"/DropdownBox-normal.png";
inline constexpr std::u16string_view kDropDownOverPicture = u"/DropdownBox-over.png";

class CDropDown {
public:
    explicit CDropDown(const DropDownGeometry& geometry);
    CDropDown(const CDropDown&) = delete;
    CDropDown& operator=(const CDropDown&) = delete;
    CDropDown(CDropDown&&) noexcept;
    CDropDown& operator=(CDropDown&&) noexcept;
    ~CDropDown();

    const CRect& Box() const { return m_geometry.box; }
    bool InBox(CPoint point) const { return m_geometry.box.PtInRect(point); }
    bool InGuard(CPoint point) const { return m_geometry.Guard().PtInRect(point); }

    bool IsOpen() const { return m_open; }
    void SetOpen(bool open) { m_open = open; }

    // The list window: made as a child of parent with the drop-down's id,
    // styles child, visible, border and notify (and a vertical scroll bar
    // when the geometry asks for one), at its list rectangle or at `at`,
    // and filled with entries in order. An existing list is destroyed first.
    bool CreateList(CWnd& parent, std::span<const std::u16string_view> entries);
    bool CreateList(CWnd& parent, const CRect& at, std::span<const std::u16string_view> entries);
    bool HasList() const;
    CListBox* List() const;
    void DestroyList();
    // Destroys the list and clears the open flag.
    void Close();

    struct Choice {
        int position = 0;
        std::u16string text;
    };
    // The list's selected entry; nothing without a list or a selection.
    std::optional<Choice> Selection() const;

    // Item tracking: when the list lies under the screen point, the item
    // under it becomes the list's selection. Returns whether it did lie there.
    bool TrackItemAt(CPoint screenPoint);

    // The box painted normal or hovered, with its text in it.
    SkinPicture BoxPicture(bool over, std::u16string_view text, UINT align) const;

private:
    DropDownGeometry m_geometry;
    bool m_open = false;
    std::unique_ptr<CListBox> m_list;
};
