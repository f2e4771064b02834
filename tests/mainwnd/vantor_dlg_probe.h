// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way tests read the main window's state; the window has no getters
// of its own for them.

#include <cstddef>

#include "mainwnd/vantor_dlg.h"

class CVantorDlgProbe {
public:
    explicit CVantorDlgProbe(const CVantorDlg& dlg) : m_dlg(dlg) {}

    layout::Page CurrentPage() const { return m_dlg.m_currentPage; }
    ::SkinLanguage SkinLanguage() const { return m_dlg.m_skinLanguage; }
    const MainWindowStrings& Strings() const { return m_dlg.m_strings; }
    const CFont& ListFont() const { return m_dlg.m_listFont; }
    const CFont& TextFont() const { return m_dlg.m_textFont; }
    const std::u16string& SkinFolder() const { return m_dlg.m_skinFolder; }
    const CBitmap* Canvas() const { return m_dlg.m_canvas.get(); }
    const SlotLabels& Labels() const { return m_dlg.m_keyPage.Labels(); }
    std::uint8_t AppliedBeforeFlag() const { return m_dlg.m_appliedBeforeFlag; }
    bool ReshowRefreshPending() const { return m_dlg.m_reshowRefresh; }
    bool IsListeningToOtherPrograms() const { return m_dlg.m_ties && m_dlg.m_ties->channel.IsOpen(); }
    // Hover elements are numbered by their owner as in mainwnd/layout.h.
    bool HoverFlag(layout::hover::ElementRef element) const
    {
        return m_dlg.m_hover[static_cast<std::size_t>(element.page)].IsSet(element.element);
    }

private:
    const CVantorDlg& m_dlg;
};
