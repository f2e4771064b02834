// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's pages and clicks: page drawing, the click passed to the
// window's own elements and then to the page, the lists' notifications and
// colours.

#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/winuser.h"
#include "skin/repaint.h"

void CVantorDlg::Repaint(std::span<const SkinPicture> pictures)
{
    if (m_firstShowPending) {
        // Until the first show only the state changes, unless a picture would
        // fail to load: its message comes now, as it always has, so the
        // window's canvas is read and this repaint done at once.
        if (SkinPicturesLookReadable(m_skinFolder, pictures)) {
            return;
        }
        ReadCanvasNow();
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

// Apply, Exit and the tabs let the press go on: the page tests it too and,
// as nothing else takes it, it also starts a drag of the window.
void CVantorDlg::OnLButtonDown(UINT flags, CPoint point)
{
    for (const OwnElement& own : kOwnElements) {
        if (own.element.rect.PtInRect(point)) {
            if (!(this->*own.press)(own)) {
                return;
            }
            break;
        }
    }
    if (IPage* shown = CurrentPage(); shown != nullptr && shown->OnClick(point)) {
        return;
    }
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    CDialog::OnLButtonDown(flags, point);
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
