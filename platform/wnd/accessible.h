// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window shows a screen reader and the keyboard: its elements in
// reading order. A skinned window paints its buttons, tabs and boxes into its
// surface, so it says here where they are and what they are; a real child
// control (an edit, an open list) is listed by its handle and named from the
// label painted beside it. The keyboard's focus walks the same list, so that
// what the screen reader reads and what Tab reaches are one set.

#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/windef.h"

enum class AccessibleRole {
    Button,
    Link,
    PageTab,
    ComboBox,
    RadioButton,
    CheckBox,
    Text,   // a painted value nobody clicks: shown, not focused
    Edit,   // a real edit control
    List,   // a real list box control
};

// State flags of an element.
inline constexpr unsigned kAccChecked = 1u << 0;    // a tick or a radio button that is on
inline constexpr unsigned kAccSelected = 1u << 1;   // the page tab shown
inline constexpr unsigned kAccExpanded = 1u << 2;   // a box whose list is open
inline constexpr unsigned kAccUnavailable = 1u << 3;

struct AccessibleElement {
    AccessibleRole role = AccessibleRole::Button;
    std::u16string name;
    std::u16string value;
    unsigned states = 0;
    CRect rect;               // client pixels
    HWND control = nullptr;   // a real control: it has the focus and the input itself
    bool focusable = true;

    bool Has(unsigned state) const { return (states & state) != 0; }
    // Checked, unchecked and the like belong to these roles only.
    bool Checkable() const { return role == AccessibleRole::RadioButton || role == AccessibleRole::CheckBox; }
};

using AccessibleElements = std::vector<AccessibleElement>;
