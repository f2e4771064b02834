#include "platform/wnd/notify_icon.h"

#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <utility>

#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/records.h"
#include "platform/wnd/msg.h"

namespace {

using IconKey = std::pair<HWND, UINT>;

struct TrayIcon {
    NOTIFYICONDATAW record;
    std::unique_ptr<QSystemTrayIcon> shown;  // on screen only
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
    if ((update.uFlags & NIF_INFO) != 0) {
        // The flags name the icon kind; every balloon of the program asks for information.
        const auto kind = update.dwInfoFlags == NIIF_WARNING ? QSystemTrayIcon::Warning
                          : update.dwInfoFlags == NIIF_ERROR ? QSystemTrayIcon::Critical
                          : update.dwInfoFlags == NIIF_INFO  ? QSystemTrayIcon::Information
                                                             : QSystemTrayIcon::NoIcon;
        icon.shown->showMessage(FieldText(update.szInfoTitle), FieldText(update.szInfo), kind,
            static_cast<int>(BalloonShowTime(update.uTimeout)));
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
    // Shown even while no notification area is there yet, as at login when
    // the panel starts after the program: the icon appears when it does.
    if (!desktop::Headless()) {
        ShowOnScreen(key, icon, *data);
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

}  // namespace desktop
