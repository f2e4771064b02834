#pragma once
// The main window's tray icon record: filled once, then handed whole to
// every add, balloon and delete, so the notification area always sees the
// same window and identifier.

#include "app/shell/notifications.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/notify_icon.h"

// Any fixed value; the record never changes it.
inline constexpr UINT kTrayIconId = 1;

inline constexpr UINT kTrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
inline constexpr UINT kTrayBalloonFlags = kTrayIconFlags | NIF_INFO;
inline constexpr char16_t kTrayTip[] = u"KX-507";

// The record as the icon is added: this window, the callback message, the
// application icon and the tip.
NOTIFYICONDATAW MakeTrayIconRecord(HWND window, HICON icon);

// Puts the balloon into the record (text and title cut to their fields,
// always terminated) and asks the notification area to show it. Every
// balloon carries the information icon, "Warning" ones included.
void ShowBalloon(NOTIFYICONDATAW& record, const Balloon& balloon);
