// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/tray_icon.h"

#include <algorithm>
#include <string_view>

namespace {

// Copies as much of text as fits before the field's terminator, and clears the rest.
template <std::size_t N>
void CopyField(char16_t (&field)[N], std::u16string_view text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(text.begin(), length, field);
}

}  // namespace

CTrayIcon::~CTrayIcon()
{
    if (m_added) {
        Shell_NotifyIconW(NIM_DELETE, &m_record);
    }
}

void CTrayIcon::Add(HWND window, HICON icon)
{
    m_record = NOTIFYICONDATAW{};
    m_record.cbSize = kNotifyIconDataSizeWithoutBalloonIcon;
    m_record.hWnd = window;
    m_record.uID = kTrayIconId;
    m_record.uFlags = kTrayIconFlags;
    m_record.uCallbackMessage = kTrayCallbackMessage;
    m_record.hIcon = icon;
    CopyField(m_record.szTip, kTrayTip);
    m_added = true;
    Shell_NotifyIconW(NIM_ADD, &m_record);
}

void CTrayIcon::ShowBalloon(const Balloon& balloon)
{
    CopyField(m_record.szInfo, balloon.text);
    m_record.uFlags = kTrayBalloonFlags;
    CopyField(m_record.szInfoTitle, balloon.title);
    m_record.dwInfoFlags = NIIF_INFO;
    m_record.uTimeout = static_cast<UINT>(balloon.timeout.count());
    Shell_NotifyIconW(NIM_MODIFY, &m_record);
}
