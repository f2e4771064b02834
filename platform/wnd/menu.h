// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pop-up menu of string entries. Choosing an entry posts WM_COMMAND with
// its id to the owner window; dismissing the menu does nothing.

#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/windef.h"

class CWnd;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

struct MenuItem {
    UINT flags = MF_STRING;
    UINT id = 0;
    std::u16string text;
};

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() = default;

    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT flags, UINT id, std::u16string_view text);
    BOOL DestroyMenu();
    // Shows the menu at (x, y) in screen coordinates and returns when it
    // closes. With TPM_RETURNCMD the chosen id is returned (0 when dismissed)
    // instead of being posted to owner.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

    const std::vector<MenuItem>& Items() const { return m_items; }

private:
    bool m_created = false;
    std::vector<MenuItem> m_items;
};
