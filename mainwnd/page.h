// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page of the main window as the window sees it. The window draws the
// page's tab picture and asks the page for the rest; it hands the page the
// clicks its own buttons did not take, the list notifications and pointer
// moves over the page's lists, and asks it which of its elements lies under
// the pointer and how that element looks.
//
// A page numbers its own elements from 0, in the order hover and hit tests
// try them. The window keeps a hover flag by each number, and its orders of
// restoring pictures and drawing back neighbours name the key page's and the
// DPI page's elements by these numbers (layout::hover::keys, dpi).

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "lang/language.h"
#include "mainwnd/screen_element.h"
#include "skin/repaint.h"

class IPage {
public:
    // The page's content after its tab picture.
    virtual void AppendContent(std::vector<SkinPicture>& pictures) = 0;
    // A click the window's own buttons let through; whether one of the
    // page's elements took it.
    virtual bool OnClick(CPoint point) = 0;
    // A choice (or double click) in one of the page's lists.
    virtual void OnListChoice() {}
    // Destroys every list of the page and clears every open flag.
    virtual void CloseLists() {}
    // A pointer move: the item under the screen point, in the page's list
    // lying there, becomes its selection.
    virtual void TrackListItem(CPoint /*screenPoint*/) {}
    // What Exit discarded comes back as last applied before the page is
    // drawn again.
    virtual void RevertToApplied() {}

    virtual std::span<const ScreenElement> Elements() const = 0;
    // Element `element` drawn normal or hovered; an element that does not
    // hover has one picture.
    virtual SkinPicture ElementPicture(std::size_t element, bool over) const = 0;
    // What a screen reader calls element `element`, in the words the page
    // picture shows it by.
    virtual std::u16string ElementName(std::size_t element, Language language) const = 0;
    // The value of element `element`, a box: the text the page holds for it
    // and draws in it. Empty for other elements.
    virtual std::u16string ElementValue(std::size_t /*element*/) const { return {}; }
    // Whether element `element`, a tick, is drawn ticked.
    virtual bool ElementTicked(std::size_t /*element*/) const { return false; }

protected:
    ~IPage() = default;
};
