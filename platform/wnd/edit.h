// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-line edit child control. ES_NUMBER lets only digits be typed,
// ES_CENTER centres the text, no WS_BORDER gives no frame. It tells its
// parent about every change of its text, typed or set (EN_CHANGE), and about
// losing the keyboard focus (EN_KILLFOCUS). Its colours and font come from
// the parent's WM_CTLCOLOREDIT answer.

#include "platform/wnd/cwnd.h"

class CEdit : public CWnd {
public:
    CEdit() = default;
    ~CEdit() override = default;

    // rect in the parent's client coordinates.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetLimitText(UINT maxChars);
};
