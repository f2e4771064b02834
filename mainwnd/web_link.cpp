// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/web_link.h"

#include "mainwnd/vantor_dlg.h"
#include "platform/services/shell.h"
#include "platform/winuser.h"

namespace {

constexpr char16_t kOpenVerb[] = u"open";

}  // namespace

void CVantorDlg::OpenWebSite()
{
    ShellExecuteW(m_hWnd, kOpenVerb, m_strings.strWebSite.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
