// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A solid brush. Control-colour answers hand a brush to a child control as
// an HBRUSH; the control paints its background in the brush's colour.

#include "platform/windef.h"

struct HBRUSH__;
using HBRUSH = HBRUSH__*;

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;
    ~CBrush();

    BOOL CreateSolidBrush(COLORREF color);
    BOOL DeleteObject();

    bool IsNull() const { return !m_created; }
    COLORREF GetColor() const { return m_color; }

    // The handle stands for this object while it lives; a null brush has
    // no handle.
    HBRUSH GetSafeHandle() const;
    operator HBRUSH() const { return GetSafeHandle(); }
    static CBrush* FromHandle(HBRUSH handle);

    // Brushes created and not yet deleted, process-wide: the count a leak
    // shows up in.
    static int LiveCount();

private:
    COLORREF m_color = 0;
    bool m_created = false;
};
