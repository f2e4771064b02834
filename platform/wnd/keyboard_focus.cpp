// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/keyboard_focus.h"

#include <algorithm>
#include <vector>

#include "platform/winuser.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/vkeys.h"

namespace {

bool g_keyboardUsed = false;

std::vector<std::size_t> FocusableIndexes(const AccessibleElements& elements)
{
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].focusable && !elements[i].Has(kAccUnavailable)) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

CPoint Centre(const CRect& rect)
{
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

}  // namespace

void CKeyboardFocus::Reset()
{
    m_rect = CRect();
    m_control = nullptr;
}

bool CKeyboardFocus::KeyboardUsed()
{
    return g_keyboardUsed;
}

void CKeyboardFocus::ResetKeyboardUse()
{
    g_keyboardUsed = false;
}

std::optional<std::size_t> CKeyboardFocus::FocusedIndex(const AccessibleElements& elements) const
{
    const std::vector<std::size_t> focusable = FocusableIndexes(elements);
    if (focusable.empty()) {
        return std::nullopt;
    }
    const HWND realFocus = GetFocus();
    for (const std::size_t i : focusable) {
        if (elements[i].control != nullptr && elements[i].control == realFocus) {
            return i;
        }
    }
    for (const std::size_t i : focusable) {
        const bool sameControl = m_control != nullptr && elements[i].control == m_control;
        const bool samePlace = m_control == nullptr && elements[i].control == nullptr && elements[i].rect == m_rect;
        if (sameControl || samePlace) {
            return i;
        }
    }
    // Nothing remembered: the tab shown, as a tab bar starts, else the first.
    for (const std::size_t i : focusable) {
        if (elements[i].role == AccessibleRole::PageTab && elements[i].Has(kAccSelected)) {
            return i;
        }
    }
    return focusable.front();
}

std::optional<AccessibleElement> CKeyboardFocus::Focused(const CWnd& window) const
{
    const AccessibleElements elements = window.AccessibleChildren();
    const auto index = FocusedIndex(elements);
    if (!index) {
        return std::nullopt;
    }
    return elements[*index];
}

std::optional<CRect> CKeyboardFocus::MarkRect(const CWnd& window) const
{
    if (!g_keyboardUsed) {
        return std::nullopt;
    }
    const auto focused = Focused(window);
    if (!focused || focused->control != nullptr) {
        return std::nullopt;
    }
    return focused->rect;
}

void CKeyboardFocus::FocusIndex(CWnd& window, const AccessibleElements& elements, std::size_t index)
{
    const AccessibleElement& element = elements[index];
    m_rect = element.rect;
    m_control = element.control;
    if (element.control != nullptr) {
        if (CWnd* control = CWnd::FromHandle(element.control)) {
            control->SetFocus();
        }
    } else if (GetFocus() != nullptr) {
        // A painted element has no window of its own: the real focus leaves
        // the controls, as a click on the window's background makes it.
        window.SetFocus();
    }
    wndbackend::PresentSurface(window);
    wndbackend::AnnounceFocus(window, index);
}

void CKeyboardFocus::MoveBy(CWnd& window, int step)
{
    const AccessibleElements elements = window.AccessibleChildren();
    const std::vector<std::size_t> focusable = FocusableIndexes(elements);
    const auto current = FocusedIndex(elements);
    if (!current) {
        return;
    }
    const auto at = static_cast<int>(std::find(focusable.begin(), focusable.end(), *current) - focusable.begin());
    const auto count = static_cast<int>(focusable.size());
    const int next = ((at + step) % count + count) % count;
    FocusIndex(window, elements, focusable[static_cast<std::size_t>(next)]);
}

void CKeyboardFocus::Activate(CWnd& window, const AccessibleElement& element)
{
    if (element.control != nullptr) {
        if (CWnd* control = CWnd::FromHandle(element.control)) {
            control->SetFocus();
        }
        return;
    }
    // Sent, not posted: what the click opens (a list, a dialog) is there
    // when this returns. No button is held, so no window drag follows.
    const HWND handle = window.GetSafeHwnd();
    const LPARAM at = PointToLParam(Centre(element.rect));
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (CWnd::FromHandle(handle) == &window) {
        window.SendMessage(WM_LBUTTONUP, 0, at);
    }
}

// A box that opened its list hands the focus to the list; a list that closed
// gives it back to its box.
void CKeyboardFocus::AfterActivation(CWnd& window, const AccessibleElement& activated)
{
    const AccessibleElements elements = window.AccessibleChildren();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (activated.role == AccessibleRole::ComboBox && elements[i].role == AccessibleRole::List &&
            elements[i].control != nullptr) {
            FocusIndex(window, elements, i);
            return;
        }
    }
    wndbackend::PresentSurface(window);
}

bool CKeyboardFocus::ListKey(CWnd& window, const MSG& msg)
{
    auto* list = dynamic_cast<CListBox*>(CWnd::FromHandle(msg.hwnd));
    if (list == nullptr || list->GetParent() != &window) {
        return false;
    }
    const int count = list->GetCount();
    const int current = list->GetCurSel();
    if (msg.wParam == VK_UP || msg.wParam == VK_DOWN) {
        if (count > 0) {
            const int step = msg.wParam == VK_UP ? -1 : 1;
            const int next = current == LB_ERR ? 0 : std::clamp(current + step, 0, count - 1);
            list->SetCurSel(next);
        }
        return true;
    }
    if (msg.wParam == VK_SPACE) {
        // The choice a release of the button over the highlighted entry makes.
        const CRect box = [&] {
            for (const AccessibleElement& element : window.AccessibleChildren()) {
                if (element.role == AccessibleRole::ComboBox && element.Has(kAccExpanded)) {
                    return element.rect;
                }
            }
            return CRect();
        }();
        // Nothing highlighted yet: nothing to choose, the list stays open.
        if (current == LB_ERR) {
            return true;
        }
        window.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(list->GetDlgCtrlID()), LBN_SELCHANGE),
            reinterpret_cast<LPARAM>(list->m_hWnd));
        m_rect = box;
        m_control = nullptr;
        const AccessibleElements elements = window.AccessibleChildren();
        if (const auto index = FocusedIndex(elements)) {
            FocusIndex(window, elements, *index);
        }
        return true;
    }
    return false;
}

bool CKeyboardFocus::PreTranslate(CWnd& window, const MSG& msg)
{
    if (msg.message == WM_KEYUP && msg.wParam == VK_SHIFT) {
        m_shiftHeld = false;
        return false;
    }
    if (msg.message != WM_KEYDOWN) {
        return false;
    }
    if (msg.wParam == VK_SHIFT) {
        m_shiftHeld = true;
        return false;
    }
    const bool navigation = msg.wParam == VK_TAB || msg.wParam == VK_SPACE || msg.wParam == VK_UP ||
                            msg.wParam == VK_DOWN;
    if (!navigation || window.AccessibleChildren().empty()) {
        return false;
    }
    if (msg.hwnd != window.GetSafeHwnd() && ListKey(window, msg)) {
        g_keyboardUsed = true;
        return true;
    }
    if (msg.wParam == VK_TAB) {
        g_keyboardUsed = true;
        MoveBy(window, m_shiftHeld ? -1 : 1);
        return true;
    }
    if (msg.wParam == VK_SPACE && msg.hwnd == window.GetSafeHwnd()) {
        const auto focused = Focused(window);
        if (!focused || focused->control != nullptr) {
            return false;
        }
        g_keyboardUsed = true;
        m_rect = focused->rect;
        m_control = nullptr;
        const HWND handle = window.GetSafeHwnd();
        Activate(window, *focused);
        if (CWnd::FromHandle(handle) == &window) {
            AfterActivation(window, *focused);
        }
        return true;
    }
    return false;
}
