// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/menu.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/qt/wnd/records.h"
#include "platform/wnd/cwnd.h"

namespace {

UINT ChooseHeadless(const std::vector<MenuItem>& items, UINT flags, CPoint at, HWND owner)
{
    auto& records = desktop::Records();
    records.menus.push_back({items, at, flags, owner});
    const UINT choice = records.menuChoice;
    const bool offered = std::any_of(items.begin(), items.end(),
        [choice](const MenuItem& item) { return item.flags == MF_STRING && item.id == choice; });
    return offered ? choice : 0;
}

UINT ChooseOnScreen(const std::vector<MenuItem>& items, UINT flags, CPoint at, CWnd* owner)
{
    QWidget* ownerWidget = owner != nullptr && owner->Native() != nullptr ? owner->Native()->Widget() : nullptr;
    QMenu menu(ownerWidget);
    for (const MenuItem& item : items) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdU16String(item.text));
        action->setData(item.id);
    }
    QPoint position(at.x, at.y);
    if ((flags & TPM_BOTTOMALIGN) != 0) {
        position.ry() -= menu.sizeHint().height();
    }
    const QAction* chosen = menu.exec(position);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

}  // namespace

BOOL CMenu::CreatePopupMenu()
{
    if (m_created) {
        return FALSE;
    }
    m_created = true;
    m_items.clear();
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT id, std::u16string_view text)
{
    if (!m_created) {
        return FALSE;
    }
    m_items.push_back({flags, id, std::u16string(text)});
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_created) {
        return FALSE;
    }
    m_created = false;
    m_items.clear();
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner)
{
    if (!m_created || owner == nullptr || owner->m_hWnd == nullptr) {
        return FALSE;
    }
    const CPoint at(x, y);
    const UINT chosen = desktop::Headless() ? ChooseHeadless(m_items, flags, at, owner->m_hWnd)
                                            : ChooseOnScreen(m_items, flags, at, owner);
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(chosen);
    }
    if (chosen != 0) {
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    }
    return TRUE;
}
