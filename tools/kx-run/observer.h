// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything a person would see outside the script's own actions, turned into
// report lines in the order it happened: message boxes (answered OK at once),
// web pages opened, tray icon changes and balloons, pop-up menus and the entry
// chosen, drop-down lists opened and closed, drags of a window, windows shown
// and hidden.

#include <cstddef>
#include <map>
#include <string>

#include "platform/msg_box.h"
#include "platform/services/shell.h"
#include "platform/windef.h"

class CReport;

class CRunObserver : public IMessageBoxPresenter, public IShellOpener {
public:
    explicit CRunObserver(CReport& report) : m_report(report) {}

    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    bool Open(std::u16string_view target) override;

    // Reports what happened since the last call: tray calls and menus in
    // order, then lists that opened or closed, drags started, and windows
    // that became visible or hidden.
    void Flush();

    // The entry the next pop-up menus choose (0 dismisses them).
    void SetMenuChoice(UINT id);

    // "main window", "dialog 703", "no owner" or "window" for a handle.
    static std::string WindowName(HWND window);

private:
    void FlushTray();
    void FlushMenus();
    void FlushLists();
    void FlushDrags();
    void FlushVisibility();

    CReport& m_report;
    std::size_t m_trayCallsSeen = 0;
    std::size_t m_menusSeen = 0;
    UINT m_menuChoice = 0;
    std::map<HWND, bool> m_visible;
    std::map<HWND, std::string> m_lists;  // open lists and how they were reported
    int m_dragsSeen = 0;
};
