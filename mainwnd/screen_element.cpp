// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/screen_element.h"

std::optional<std::size_t> HoverElementAt(std::span<const ScreenElement> elements, CPoint point)
{
    for (std::size_t element = 0; element < elements.size(); ++element) {
        if (elements[element].hovers && elements[element].rect.PtInRect(point)) {
            return element;
        }
    }
    return std::nullopt;
}
