// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/notify_icon.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/desktop_notification.h"
#include "platform/qt/wnd/records.h"
#include "platform/wnd/backend.h"
#include "platform/wnd/msg.h"

namespace {

using IconKey = std::pair<HWND, UINT>;

struct TrayIcon {
    NOTIFYICONDATAW record;
    std::unique_ptr<QSystemTrayIcon> shown;  // on screen only
    std::optional<DWORD> graceEnds;          // on the desktop's clock, until the grace period is over
};

std::map<IconKey, TrayIcon>& Icons()
{
    static std::map<IconKey, TrayIcon> icons;
    return icons;
}

// The record's strings are fixed arrays the caller fills: never read past them.
template <std::size_t N>
QString FieldText(const char16_t (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != u'\0') {
        ++length;
    }
    return QString::fromUtf16(field, static_cast<qsizetype>(length));
}

// Updates the kept record with the fields that the flags name.
void Merge(NOTIFYICONDATAW& kept, const NOTIFYICONDATAW& update)
{
    if ((update.uFlags & NIF_MESSAGE) != 0) {
        kept.uCallbackMessage = update.uCallbackMessage;
    }
    if ((update.uFlags & NIF_ICON) != 0) {
        kept.hIcon = update.hIcon;
    }
    if ((update.uFlags & NIF_TIP) != 0) {
        std::copy(std::begin(update.szTip), std::end(update.szTip), std::begin(kept.szTip));
    }
    kept.uFlags |= update.uFlags;
}

void PostCallback(const IconKey& key, LPARAM mouseMessage)
{
    const auto it = Icons().find(key);
    if (it != Icons().end() && (it->second.record.uFlags & NIF_MESSAGE) != 0) {
        PostMessageW(key.first, it->second.record.uCallbackMessage, key.second, mouseMessage);
    }
}

QString IconUri(HICON icon)
{
    const QString file = desktop::IconFileOf(icon);
    return file.isEmpty() ? QGuiApplication::desktopFileName() : QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

// A balloon as the notification service gets it. A balloon asks for as little
// as 100 ms; the service is handed the time a notification area would keep it
// up, so that it can be read there too.
desktop::DesktopNotice NoticeFor(const NOTIFYICONDATAW& record, const NOTIFYICONDATAW& update)
{
    return desktop::DesktopNotice{IconUri(record.hIcon), FieldText(update.szInfoTitle), FieldText(update.szInfo),
        static_cast<int>(BalloonShowTime(update.uTimeout)), QGuiApplication::desktopFileName()};
}

void ShowOnScreen(const IconKey& key, TrayIcon& icon, const NOTIFYICONDATAW& update)
{
    if (!icon.shown) {
        icon.shown = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon.shown.get(), &QSystemTrayIcon::activated, [key](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
            case QSystemTrayIcon::Trigger:
                PostCallback(key, WM_LBUTTONUP);
                break;
            case QSystemTrayIcon::DoubleClick:
                PostCallback(key, WM_LBUTTONDBLCLK);
                break;
            case QSystemTrayIcon::Context:
                PostCallback(key, WM_RBUTTONDOWN);
                PostCallback(key, WM_RBUTTONUP);
                break;
            default:
                break;
            }
        });
    }
    icon.shown->setIcon(desktop::IconOf(icon.record.hIcon));
    icon.shown->setToolTip(FieldText(icon.record.szTip));
    icon.shown->show();
    if ((update.uFlags & NIF_INFO) == 0) {
        return;
    }
    if (!IsNotificationAreaAvailable() || desktop::IsStatusNotifierTray()) {
        desktop::SendDesktopNotice(NoticeFor(icon.record, update));
        return;
    }
    const QString title = FieldText(update.szInfoTitle);
    const QString text = FieldText(update.szInfo);
    const int shownMs = static_cast<int>(BalloonShowTime(update.uTimeout));
    // An information balloon carries the program's own icon, not the stock one.
    if (update.dwInfoFlags == NIIF_WARNING || update.dwInfoFlags == NIIF_ERROR) {
        const auto kind = update.dwInfoFlags == NIIF_WARNING ? QSystemTrayIcon::Warning : QSystemTrayIcon::Critical;
        icon.shown->showMessage(title, text, kind, shownMs);
    } else {
        icon.shown->showMessage(title, text, desktop::IconOf(icon.record.hIcon), shownMs);
    }
}

// Headless runs keep the notice; a test may also have it sent to its own bus.
void RecordNotice(const NOTIFYICONDATAW& record, const NOTIFYICONDATAW& update)
{
    const desktop::DesktopNotice notice = NoticeFor(record, update);
    auto& records = desktop::Records();
    records.notifications.push_back({notice.appIcon.toStdU16String(), notice.title.toStdU16String(),
        notice.text.toStdU16String(), notice.timeoutMs, notice.desktopEntry.toStdU16String()});
    records.trayCalls.back().notification = static_cast<int>(records.notifications.size()) - 1;
    if (records.noticesToSessionBus) {
        desktop::SendDesktopNotice(notice);
    }
}

// The icons whose grace period is over: the ones that no notification area
// took are clicked once.
void GracePeriodsPassed()
{
    const DWORD now = wndbackend::HoverClock();
    for (auto& [key, icon] : Icons()) {
        if (!icon.graceEnds || static_cast<std::int32_t>(now - *icon.graceEnds) < 0) {
            continue;
        }
        icon.graceEnds.reset();
        if (!IsNotificationAreaAvailable()) {
            PostCallback(key, WM_LBUTTONUP);
        }
    }
}

void StartGracePeriod(TrayIcon& icon)
{
    if ((icon.record.uFlags & NIF_MESSAGE) == 0) {
        return;  // nothing to click
    }
    icon.graceEnds = wndbackend::HoverClock() + static_cast<DWORD>(kNotificationAreaGracePeriod.count());
    // Headless time passes only when a test or the runner says so.
    if (!desktop::Headless() && QCoreApplication::instance() != nullptr) {
        QTimer::singleShot(kNotificationAreaGracePeriod, Qt::PreciseTimer, QCoreApplication::instance(),
            &GracePeriodsPassed);
    }
}

}  // namespace

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data)
{
    if (data == nullptr || !IsWindow(data->hWnd) ||
        (message != NIM_ADD && message != NIM_MODIFY && message != NIM_DELETE)) {
        return FALSE;
    }
    if (desktop::Headless()) {
        desktop::Records().trayCalls.push_back({message, *data});
    }
    const IconKey key(data->hWnd, data->uID);
    auto& icons = Icons();
    const auto it = icons.find(key);
    if ((message == NIM_ADD) == (it != icons.end())) {
        return FALSE;  // adding one that exists, or changing one that does not
    }
    if (message == NIM_DELETE) {
        icons.erase(it);
        return TRUE;
    }
    TrayIcon& icon = icons[key];
    if (message == NIM_ADD) {
        icon.record = NOTIFYICONDATAW{};
        icon.record.hWnd = data->hWnd;
        icon.record.uID = data->uID;
    }
    Merge(icon.record, *data);
    if (message == NIM_ADD) {
        StartGracePeriod(icon);
    }
    // Shown even while no notification area is there yet, as at login when
    // the panel starts after the program: the icon appears when it does.
    if (!desktop::Headless()) {
        ShowOnScreen(key, icon, *data);
    } else if ((data->uFlags & NIF_INFO) != 0 && !IsNotificationAreaAvailable()) {
        RecordNotice(icon.record, *data);
    }
    return TRUE;
}

BOOL IsNotificationAreaAvailable()
{
    if (desktop::Headless()) {
        return desktop::Records().notificationArea ? TRUE : FALSE;
    }
    return QSystemTrayIcon::isSystemTrayAvailable() ? TRUE : FALSE;
}

namespace desktop {

void DeliverTrayMouse(UINT mouseMessage)
{
    for (const auto& [key, icon] : Icons()) {
        PostCallback(key, mouseMessage);
    }
}

void ForgetTrayIcons()
{
    Icons().clear();
}

void TrayTimePassed()
{
    GracePeriodsPassed();
}

}  // namespace desktop
