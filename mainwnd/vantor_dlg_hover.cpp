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

// The elements of every page, in the order a hover tests them.
constexpr std::size_t kWindowButtons[] = {hover::kApply, hover::kExit, hover::kClose, hover::kMinimise};

bool IsSlot(std::size_t element)
{
    return element >= hover::Slot(0, 0) && element < hover::Stage(0);
}

bool IsStage(std::size_t element)
{
    return element >= hover::Stage(0) && element < hover::kCount;
}

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
    } else if (const auto flagged = m_hover.FirstSet(hover::kRestoreOrder)) {
        // One element per move: several flagged ones come back over several moves.
        const SkinPicture normal = ElementPicture(*flagged, false);
        m_hover.Clear(*flagged);
        Repaint({&normal, 1});
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
                if (neighbour && m_hover.IsSet(*neighbour)) {
                    pictures.push_back(ElementPicture(*neighbour, false));
                    m_hover.Clear(*neighbour);
                }
            }
        }
        // Drawn again even when it shows its "-over" picture already.
        m_hover.Set(*element);
        Repaint(pictures);
    }
    CDialog::OnMouseHover(flags, point);
}

std::optional<std::size_t> CVantorDlg::HoverElementAt(CPoint point) const
{
    for (const std::size_t button : kWindowButtons) {
        if (hover::Button(button)->rect.PtInRect(point)) {
            return button;
        }
    }
    if (m_currentPage == layout::Page::Dpi) {
        return m_dpiPage.StageElementAt(point);
    }
    if (m_currentPage == layout::Page::Keys) {
        if (layout::kDefault.rect.PtInRect(point)) {
            return hover::kDefault;
        }
        return m_keyPage.SlotElementAt(point);
    }
    return std::nullopt;
}

SkinPicture CVantorDlg::ElementPicture(std::size_t element, bool over) const
{
    if (IsSlot(element)) {
        return m_keyPage.SlotBoxPicture(element, over);
    }
    if (IsStage(element)) {
        return m_dpiPage.StageBoxPicture(element, over);
    }
    const ImageButton& button = *hover::Button(element);
    return over ? button.Over() : button.Normal();
}

// Each page picture shows every element of its page in its normal look. An
// element that belongs to another page, flagged while that page was shown,
// is only forgotten: drawing it back would paint a box or Default where the
// new page has none.
void CVantorDlg::ForgetHoverOfOtherPages()
{
    for (std::size_t element = 0; element < hover::kCount; ++element) {
        const bool keyPageOnly = element == hover::kDefault || IsSlot(element);
        const bool dpiPageOnly = IsStage(element);
        if ((keyPageOnly && m_currentPage != layout::Page::Keys) || (dpiPageOnly && m_currentPage != layout::Page::Dpi)) {
            m_hover.Clear(element);
        }
    }
}
