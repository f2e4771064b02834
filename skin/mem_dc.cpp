// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/mem_dc.h"

CMemDC::CMemDC(CDC* target, const CRect& rect, CBitmap* canvas) : m_target(target)
{
    if (m_target == nullptr) {
        return;
    }
    m_memDC = true;
    CreateCompatibleDC(m_target);
    if (rect.IsRectNull()) {
        m_target->GetClipBox(&m_rect);
    } else {
        m_rect = rect;
    }
    // An empty rectangle gets no bitmap; the stock one stays selected and
    // the final copy has nothing to move.
    if (canvas != nullptr && !canvas->IsNull()) {
        m_oldBitmap = SelectObject(canvas);
    } else if (m_bitmap.CreateCompatibleBitmap(m_target, m_rect.Width(), m_rect.Height())) {
        m_oldBitmap = SelectObject(&m_bitmap);
    }
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC()
{
    if (m_memDC) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
            SRCCOPY);
        if (m_oldBitmap != nullptr) {
            SelectObject(m_oldBitmap);
        }
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}
