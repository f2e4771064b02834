// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brush a skinned window answers control-colour messages with. Each
// answer gets a fresh brush; the one handed out before is deleted first,
// and the last one goes with the window.

#include <memory>

#include "platform/gdi/brush.h"
#include "platform/windef.h"

class CDC;
class CFont;

class CCtlColorBrush {
public:
    CCtlColorBrush() = default;
    CCtlColorBrush(const CCtlColorBrush&) = delete;
    CCtlColorBrush& operator=(const CCtlColorBrush&) = delete;
    ~CCtlColorBrush() = default;

    // Deletes the previous brush, if any, and hands out a new solid one.
    HBRUSH Renew(COLORREF color);
    HBRUSH Current() const { return m_brush ? m_brush->GetSafeHandle() : nullptr; }

private:
    std::unique_ptr<CBrush> m_brush;
};

// The shared list colouring: skin text colour, transparent text background,
// font (when given) and a fresh brush of the list background colour.
HBRUSH ColorSkinnedControl(CDC* dc, CFont* font, CCtlColorBrush& brush);
