// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/hover_flags.h"

#include <algorithm>

std::optional<std::size_t> HitTestButtons(std::span<const ImageButton> buttons, CPoint point)
{
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].rect.PtInRect(point)) {
            return i;
        }
    }
    return std::nullopt;
}

void CHoverFlags::Set(std::size_t index)
{
    if (index < m_flags.size()) {
        m_flags[index] = true;
    }
}

void CHoverFlags::Clear(std::size_t index)
{
    if (index < m_flags.size()) {
        m_flags[index] = false;
    }
}

bool CHoverFlags::Any() const
{
    return std::find(m_flags.begin(), m_flags.end(), true) != m_flags.end();
}

std::vector<std::size_t> CHoverFlags::TakeAll()
{
    std::vector<std::size_t> taken;
    for (std::size_t i = 0; i < m_flags.size(); ++i) {
        if (m_flags[i]) {
            taken.push_back(i);
            m_flags[i] = false;
        }
    }
    return taken;
}
