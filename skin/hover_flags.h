// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which image buttons of a window show their "-over" picture. The flags are
// the only record of that: the canvas keeps whatever was painted last.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "skin/repaint.h"

struct ImageButton {
    CRect rect;
    std::u16string_view normalPicture;  // u"/Save-normal.png"
    std::u16string_view overPicture;    // u"/Save-over.png"

    SkinPicture Normal() const { return SkinPicture{normalPicture, rect.TopLeft(), std::nullopt}; }
    SkinPicture Over() const { return SkinPicture{overPicture, rect.TopLeft(), std::nullopt}; }
};

// The first button whose rectangle holds point.
std::optional<std::size_t> HitTestButtons(std::span<const ImageButton> buttons, CPoint point);

class CHoverFlags {
public:
    explicit CHoverFlags(std::size_t count) : m_flags(count, false) {}

    bool IsSet(std::size_t index) const { return index < m_flags.size() && m_flags[index]; }
    void Set(std::size_t index);
    void Clear(std::size_t index);
    bool Any() const;

    // All flagged indices, lowest first, clearing them.
    std::vector<std::size_t> TakeAll();

private:
    std::vector<bool> m_flags;
};
