// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ctl_color_brush.h"

#include "platform/gdi/dc.h"
#include "skin/colors.h"

HBRUSH CCtlColorBrush::Renew(COLORREF color)
{
    m_brush.reset();
    m_brush = std::make_unique<CBrush>(color);
    return m_brush->GetSafeHandle();
}

HBRUSH ColorSkinnedControl(CDC* dc, CFont* font, CCtlColorBrush& brush)
{
    if (dc != nullptr) {
        dc->SetTextColor(kSkinTextColor);
        dc->SetBkMode(TRANSPARENT);
        if (font != nullptr) {
            dc->SelectObject(font);
        }
    }
    return brush.Renew(kListBackColor);
}
