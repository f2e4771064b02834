// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list box child control. With LBS_NOTIFY it tells its parent about a
// selection made with the pointer (LBN_SELCHANGE) and a double click
// (LBN_DBLCLK) through WM_COMMAND; selecting from code notifies nobody.
// Before it paints it asks its parent for colours with WM_CTLCOLORLISTBOX and
// draws its items in the answered text colour, background mode, font and
// background brush.

#include <string>
#include <string_view>

#include "platform/wnd/cwnd.h"

class CListBox : public CWnd {
public:
    CListBox() = default;
    ~CListBox() override = default;

    // style: WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY [| WS_VSCROLL];
    // rect in the parent's client coordinates.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // The new item's index, LB_ERR without a window.
    int AddString(std::u16string_view text);
    int GetCount() const;
    // LB_ERR when nothing is selected.
    int GetCurSel() const;
    // -1 clears the selection; LB_ERR for an index out of range.
    int SetCurSel(int index);
    // The item's length, LB_ERR for an index out of range.
    int GetText(int index, std::u16string& text) const;
    int GetTextLen(int index) const;
    // The nearest item to a client point (the last one below the items);
    // outside is TRUE when the point lies outside the client area.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;
    int GetItemHeight(int index) const;
    int GetTopIndex() const;
};
