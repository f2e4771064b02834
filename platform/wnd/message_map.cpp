// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/message_map.h"

#include "platform/wnd/cwnd.h"

namespace {

bool IsCtlColorMessage(UINT message)
{
    return message == WM_CTLCOLOR || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

}  // namespace

CMessageEntry CMessageEntry::ForCommand(WORD code, WORD firstId, WORD lastId, Thunk thunk)
{
    CMessageEntry entry(WM_COMMAND, std::move(thunk));
    entry.m_isCommand = true;
    entry.m_code = code;
    entry.m_firstId = firstId;
    entry.m_lastId = lastId;
    return entry;
}

bool CMessageEntry::Matches(UINT message, WPARAM wParam) const
{
    if (m_isCommand) {
        const WORD id = LOWORD(wParam);
        return message == WM_COMMAND && id >= m_firstId && id <= m_lastId && HIWORD(wParam) == m_code;
    }
    // One WM_CTLCOLOR entry answers for every kind of control, as the
    // control-colour handler of a Windows message table does.
    if (m_message == WM_CTLCOLOR) {
        return IsCtlColorMessage(message);
    }
    return message == m_message;
}

CWnd* CMessageEntry::ControlOf(LPARAM lParam)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
}

UINT CMessageEntry::CtlColorKind(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC ? message - WM_CTLCOLORMSGBOX
                                                                        : CTLCOLOR_MSGBOX;
}

const CMessageEntry* CMessageMap::Find(UINT message, WPARAM wParam) const
{
    for (const CMessageMap* map = this; map != nullptr; map = map->m_base) {
        for (const CMessageEntry& entry : map->m_entries) {
            if (entry.Matches(message, wParam)) {
                return &entry;
            }
        }
    }
    return nullptr;
}
