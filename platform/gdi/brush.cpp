// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/brush.h"

#include <atomic>

namespace {

std::atomic<int> g_liveBrushes{0};

}  // namespace

CBrush::~CBrush()
{
    DeleteObject();
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (m_created) {
        return FALSE;  // a brush object holds one brush; delete it first
    }
    m_color = color;
    m_created = true;
    ++g_liveBrushes;
    return TRUE;
}

BOOL CBrush::DeleteObject()
{
    if (!m_created) {
        return FALSE;
    }
    m_created = false;
    --g_liveBrushes;
    return TRUE;
}

HBRUSH CBrush::GetSafeHandle() const
{
    return m_created ? reinterpret_cast<HBRUSH>(const_cast<CBrush*>(this)) : nullptr;
}

CBrush* CBrush::FromHandle(HBRUSH handle)
{
    return reinterpret_cast<CBrush*>(handle);
}

int CBrush::LiveCount()
{
    return g_liveBrushes.load();
}
