// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/observer.h"

#include <algorithm>

#include "platform/str_conv.h"
#include "platform/winuser.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/list_box.h"
#include "platform/wnd/testing.h"
#include "tools/kx-run/report.h"

namespace {

std::u16string_view Field(const char16_t* text, std::size_t capacity)
{
    return std::u16string_view(text, std::find(text, text + capacity, u'\0') - text);
}

template <std::size_t N>
std::u16string_view Field(const char16_t (&text)[N])
{
    return Field(text, N);
}

// A notice as the notification service got it; the icon by its file name,
// which is the same in every run folder.
std::string NotificationLine(const wndtest::DesktopNotification& notice)
{
    const std::u16string_view icon = notice.appIcon;
    return "  to the notification service: " + Quoted(notice.title) + ": " + Quoted(notice.text) + " (" +
           std::to_string(notice.timeoutMs) + " ms, icon " + Quoted(icon.substr(icon.find_last_of(u'/') + 1)) +
           ", desktop-entry " + Quoted(notice.desktopEntry) + ")";
}

std::string TrayLine(const wndtest::TrayCall& call)
{
    const NOTIFYICONDATAW& data = call.data;
    switch (call.message) {
    case NIM_ADD:
        return "tray icon added, tip " + Quoted(Field(data.szTip));
    case NIM_DELETE:
        return "tray icon removed";
    case NIM_MODIFY:
        if ((data.uFlags & NIF_INFO) != 0) {
            std::string line = "balloon " + Quoted(Field(data.szInfoTitle)) + ": " + Quoted(Field(data.szInfo)) +
                               " (" + std::to_string(data.uTimeout) + " ms";
            if (data.dwInfoFlags != NIIF_INFO) {
                line += ", icon " + std::to_string(data.dwInfoFlags);
            }
            return line + ")";
        }
        return "tray icon changed, tip " + Quoted(Field(data.szTip));
    default:
        return "tray call " + std::to_string(call.message);
    }
}

}  // namespace

std::string CRunObserver::WindowName(HWND window)
{
    if (window == nullptr) {
        return "no owner";
    }
    if (const CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd == window) {
        return "main window";
    }
    if (const auto* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandle(window))) {
        return "dialog " + std::to_string(dialog->TemplateId());
    }
    return "window";
}

int CRunObserver::Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type)
{
    Flush();
    std::string line = "message box from " + WindowName(owner) + ", caption " + Quoted(caption) + ": " + Quoted(text);
    if (type != MB_OK) {
        line += " (type " + std::to_string(type) + ")";
    }
    m_report.Line(line);
    return static_cast<int>(IDOK);
}

bool CRunObserver::Open(std::u16string_view target)
{
    Flush();
    m_report.Line("web page opened: " + Quoted(target));
    return true;
}

void CRunObserver::SetMenuChoice(UINT id)
{
    m_menuChoice = id;
    wndtest::SetMenuChoice(id);
}

void CRunObserver::Flush()
{
    FlushTray();
    FlushMenus();
    FlushLists();
    FlushDrags();
    FlushVisibility();
}

// A list by its control id, where it opened in its window's client
// coordinates, and its number of entries.
void CRunObserver::FlushLists()
{
    std::map<HWND, const CListBox*> open;
    for (HWND window : CWnd::AllWindows()) {
        const auto* list = dynamic_cast<const CListBox*>(CWnd::FromHandle(window));
        if (list != nullptr && list->GetParent() != nullptr) {
            open[window] = list;
        }
    }
    for (auto it = m_lists.begin(); it != m_lists.end();) {
        if (open.count(it->first) == 0) {
            m_report.Line(it->second + " closed");
            it = m_lists.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [window, list] : open) {
        if (m_lists.count(window) != 0) {
            continue;
        }
        CRect rect;
        list->GetWindowRect(&rect);
        CPoint topLeft = rect.TopLeft();
        list->GetParent()->ScreenToClient(&topLeft);
        m_lists[window] = "list " + std::to_string(list->GetDlgCtrlID()) + " of " + WindowName(*list->GetParent());
        m_report.Line(m_lists[window] + " opened at " + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) +
                      " to " + std::to_string(topLeft.x + rect.Width()) + "," +
                      std::to_string(topLeft.y + rect.Height()) + ", " + std::to_string(list->GetCount()) + " entries");
    }
}

void CRunObserver::FlushDrags()
{
    for (; m_dragsSeen < wndtest::SystemMovesStarted(); ++m_dragsSeen) {
        m_report.Line("window drag started");
    }
}

void CRunObserver::FlushTray()
{
    const auto& calls = wndtest::TrayCalls();
    for (; m_trayCallsSeen < calls.size(); ++m_trayCallsSeen) {
        const wndtest::TrayCall& call = calls[m_trayCallsSeen];
        m_report.Line(TrayLine(call));
        if (call.notification >= 0) {
            const auto& notices = wndtest::DesktopNotifications();
            m_report.Line(NotificationLine(notices[static_cast<std::size_t>(call.notification)]));
        }
    }
}

void CRunObserver::FlushMenus()
{
    const auto& menus = wndtest::Menus();
    for (; m_menusSeen < menus.size(); ++m_menusSeen) {
        const wndtest::MenuRecord& menu = menus[m_menusSeen];
        m_report.Line("pop-up menu of " + WindowName(menu.owner) + " at " + std::to_string(menu.at.x) + "," +
                      std::to_string(menu.at.y) + ", flags " + std::to_string(menu.flags));
        bool chosen = false;
        for (const MenuItem& item : menu.items) {
            if (item.flags == MF_STRING) {
                chosen = chosen || item.id == m_menuChoice;
                m_report.Line("  entry " + std::to_string(item.id) + " " + Quoted(item.text));
            } else {
                m_report.Line("  separator");
            }
        }
        m_report.Line(chosen ? "menu entry " + std::to_string(m_menuChoice) + " chosen" : "menu dismissed");
    }
}

void CRunObserver::FlushVisibility()
{
    std::map<HWND, bool> now;
    for (HWND window : CWnd::AllWindows()) {
        const CWnd* wnd = CWnd::FromHandle(window);
        if (wnd == nullptr || wnd->GetParent() != nullptr) {
            continue;
        }
        const bool visible = wnd->IsWindowVisible() != FALSE;
        // A dialog that comes up is reported as opened by the runner, so only
        // later changes of its visibility are news (also when something it
        // showed while it was being made was reported first); the main
        // window's are all.
        const auto before = m_visible.find(window);
        const bool mainWindow = WindowName(window) == "main window";
        if (before == m_visible.end() && !visible && !mainWindow) {
            continue;
        }
        now[window] = visible;
        const bool known = before != m_visible.end() || mainWindow;
        const bool wasVisible = before != m_visible.end() && before->second;
        if (known && visible != wasVisible) {
            m_report.Line(WindowName(window) + (visible ? " shown" : " hidden"));
        }
    }
    m_visible = std::move(now);
}
