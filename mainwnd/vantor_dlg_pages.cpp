// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's pages and clicks: page drawing, the click dispatch in
// its fixed order, Apply, Exit and Close, the lists' notifications and colours.

#include "device/apply.h"
#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/services/process.h"
#include "platform/services/shell.h"
#include "platform/winuser.h"
#include "settings/settings_state.h"
#include "skin/repaint.h"

namespace {

constexpr char16_t kOpenVerb[] = u"open";

}  // namespace

void CVantorDlg::Repaint(std::span<const SkinPicture> pictures)
{
    if (m_firstShowPending) {
        return;
    }
    RepaintCanvas(*this, m_canvas.get(), m_skinFolder, pictures, &m_textFont);
}

IPage* CVantorDlg::CurrentPage()
{
    return m_currentPage == layout::Page::None ? nullptr : &PageOf(m_currentPage);
}

const IPage* CVantorDlg::CurrentPage() const
{
    return m_currentPage == layout::Page::None ? nullptr : m_pages[PageIndex(m_currentPage)];
}

void CVantorDlg::DrawPage(layout::Page page)
{
    if (m_currentPage == page) {
        return;
    }
    m_currentPage = page;
    // A page's lists go with it.
    for (const layout::PageTab& tab : layout::kTabs) {
        if (tab.page != page) {
            PageOf(tab.page).CloseLists();
        }
    }
    ForgetHoverOfOtherPages();
    std::vector<SkinPicture> pictures;
    for (const layout::PageTab& tab : layout::kTabs) {
        if (tab.page == page) {
            pictures.push_back(SkinPicture{tab.picture, CPoint(0, 0), std::nullopt});
        }
    }
    if (IPage* shown = CurrentPage()) {
        shown->AppendContent(pictures);
    }
    Repaint(pictures);
}

// Apply, Exit and the tabs let the press go on: it is tested further and, as
// nothing else takes it, also starts a drag of the window.
void CVantorDlg::OnLButtonDown(UINT flags, CPoint point)
{
    if (layout::kApply.rect.PtInRect(point)) {
        ApplyToMouse();
    }
    if (layout::kExit.rect.PtInRect(point)) {
        ExitToTray();
    }
    if (layout::kMinimise.rect.PtInRect(point)) {
        ShowWindow(SW_HIDE);
        return;
    }
    if (layout::kClose.rect.PtInRect(point)) {
        CloseProgram();
    }
    for (const layout::PageTab& tab : layout::kTabs) {
        if (tab.rect.PtInRect(point)) {
            DrawPage(tab.page);
        }
    }
    if (layout::kWebLink.PtInRect(point)) {
        ShellExecuteW(m_hWnd, kOpenVerb, m_strings.strWebSite.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    if (IPage* shown = CurrentPage(); shown != nullptr && shown->OnClick(point)) {
        return;
    }
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    CDialog::OnLButtonDown(flags, point);
}

void CVantorDlg::ApplyToMouse()
{
    ApplySettings(m_hWnd, ApplyTargets{m_strings.strMouseNotFound, m_paths, m_strings.strSettingsSection,
                              m_keyPage.Labels()});
    CopyRecordToAppliedCopy();
}

void CVantorDlg::ExitToTray()
{
    CopyAppliedCopyToRecord();
    m_reshowRefresh = true;
    ShowWindow(SW_HIDE);
}

void CVantorDlg::CloseProgram()
{
    CleanUp();
    ExitProcess(0);
}

void CVantorDlg::OnSlotListChoice(UINT)
{
    PageOf(layout::Page::Keys).OnListChoice();
}

void CVantorDlg::OnStageListChoice(UINT)
{
    PageOf(layout::Page::Dpi).OnListChoice();
}

// The window's only controls are its lists: skin text on the list background
// in the list font. The brush of the previous answer goes when a new one is made.
HBRUSH CVantorDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor)
{
    CDialog::OnCtlColor(dc, control, ctlColor);
    return ColorSkinnedControl(dc, &m_listFont, m_listBrush);
}
