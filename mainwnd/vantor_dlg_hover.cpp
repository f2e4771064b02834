// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's hover pictures: an element under the resting pointer gets
// its "-over" picture (and draws its flagged neighbours back), and each mouse
// move outside every element draws back one flagged element.

#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/wnd/mouse_track.h"

namespace {

namespace hover = layout::hover;

// The pointer rests this long before the "-over" picture is drawn: almost at once.
constexpr DWORD kHoverTimeMs = 10;

using layout::hover::ElementRef;

}  // namespace

void CVantorDlg::TrackHover()
{
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = kHoverTimeMs;
    _TrackMouseEvent(&track);
}

void CVantorDlg::OnMouseMove(UINT flags, CPoint point)
{
    if (HoverElementAt(point)) {
        TrackHover();
    } else {
        // One element per move: several flagged ones come back over several moves.
        for (const ElementRef flagged : hover::kRestoreOrder) {
            if (HoverFlags(flagged.page).IsSet(flagged.element)) {
                const SkinPicture normal = ElementPicture(flagged, false);
                HoverFlags(flagged.page).Clear(flagged.element);
                Repaint({&normal, 1});
                break;
            }
        }
    }
    CDialog::OnMouseMove(flags, point);
}

void CVantorDlg::OnMouseHover(UINT flags, CPoint point)
{
    if (const auto element = HoverElementAt(point)) {
        std::vector<SkinPicture> pictures{ElementPicture(*element, true)};
        for (const hover::Neighbours& rule : hover::kNeighbours) {
            if (rule.element != *element) {
                continue;
            }
            for (const auto neighbour : rule.drawnBack) {
                if (neighbour && HoverFlags(neighbour->page).IsSet(neighbour->element)) {
                    pictures.push_back(ElementPicture(*neighbour, false));
                    HoverFlags(neighbour->page).Clear(neighbour->element);
                }
            }
        }
        // Drawn again even when it shows its "-over" picture already.
        HoverFlags(element->page).Set(element->element);
        Repaint(pictures);
    }
    CDialog::OnMouseHover(flags, point);
}

std::optional<ElementRef> CVantorDlg::HoverElementAt(CPoint point) const
{
    for (const OwnElement& own : kOwnElements) {
        if (own.element.hovers && own.element.rect.PtInRect(point)) {
            return hover::Window(own.id);
        }
    }
    if (const IPage* shown = CurrentPage()) {
        if (const auto element = ::HoverElementAt(shown->Elements(), point)) {
            return ElementRef{m_currentPage, *element};
        }
    }
    return std::nullopt;
}

SkinPicture CVantorDlg::ElementPicture(ElementRef element, bool over) const
{
    if (element.page == layout::Page::None) {
        const OwnElement& own = kOwnElements[element.element];
        return SkinPicture{over ? own.overPicture : own.normalPicture, own.element.rect.TopLeft(), std::nullopt};
    }
    return m_pages[PageIndex(element.page)]->ElementPicture(element.element, over);
}

// Each page picture shows every element of its page in its normal look. An
// element that belongs to another page, flagged while that page was shown,
// is only forgotten: drawing it back would paint a box or Default where the
// new page has none.
void CVantorDlg::ForgetHoverOfOtherPages()
{
    for (const layout::PageTab& tab : layout::kTabs) {
        if (tab.page != m_currentPage) {
            HoverFlags(tab.page).TakeAll();
        }
    }
}
