// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/ctl_color.h"

#include "platform/gdi/dc.h"
#include "platform/wnd/cwnd.h"

namespace {

constexpr COLORREF kDefaultBackground = RGB(255, 255, 255);

}  // namespace

ControlColours AskControlColours(CWnd& control, UINT message)
{
    CBitmap scratch;
    scratch.CreateBitmap32(1, 1);
    const std::unique_ptr<CDC> dc = CDC::ForSurface(scratch);
    CFont* const stockFont = dc->GetCurrentFont();

    HBRUSH brush = nullptr;
    if (CWnd* parent = control.GetParent()) {
        brush = reinterpret_cast<HBRUSH>(parent->SendMessage(message, reinterpret_cast<WPARAM>(dc.get()),
            reinterpret_cast<LPARAM>(control.m_hWnd)));
    }
    ControlColours colours;
    colours.text = dc->GetTextColor();
    colours.textBackground = dc->GetBkColor();
    colours.bkMode = dc->GetBkMode();
    const CBrush* answered = brush != nullptr ? CBrush::FromHandle(brush) : nullptr;
    colours.background = answered != nullptr ? answered->GetColor() : kDefaultBackground;
    CFont* const selected = dc->GetCurrentFont();
    if (selected != nullptr && selected != stockFont && !selected->IsNull()) {
        colours.font = selected->LogFont();
    }
    return colours;
}
