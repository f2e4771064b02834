// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A screen element of the main window as data: what it is and where it lies.
// Hover and hit tests run over these; whatever lists or reads the window's
// elements (a screen reader, keyboard focus) takes them from the same lists.

#include <cstddef>
#include <optional>
#include <span>

#include "platform/geometry.h"

enum class ElementKind { Tab, DropDownBox, Tick, Button, Link };

struct ScreenElement {
    ElementKind kind;
    CRect rect;          // client pixels
    bool hovers = false; // drawn with its "-over" picture under the resting pointer
};

// The first of the elements that hovers and holds the point.
std::optional<std::size_t> HoverElementAt(std::span<const ScreenElement> elements, CPoint point);
