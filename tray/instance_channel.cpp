// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/instance_channel.h"

#include "tray/notifications.h"
#include "tray/tray_icon.h"
#include "platform/winuser.h"
#include "platform/wnd/notify_icon.h"

namespace {

constexpr WindowMessage kShowRequest{kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP};

bool IsShowRequest(const WindowMessage& message)
{
    return message.message == kShowRequest.message && message.lParam == kShowRequest.lParam;
}

}  // namespace

void DeliverInstanceMessage(HWND mainWnd, const WindowMessage& message)
{
    if (message.message == kNotificationMessage) {
        SendMessageW(mainWnd, message.message, message.wParam, message.lParam);
        return;
    }
    // Where the tray icon can be clicked, only the tray opens the window.
    if (IsShowRequest(message) && !IsNotificationAreaAvailable()) {
        SendMessageW(mainWnd, kShowRequest.message, kShowRequest.wParam, kShowRequest.lParam);
    }
}

bool CInstanceChannel::Open(HWND mainWnd)
{
    auto channel = std::make_unique<CWindowMessageChannel>();
    const bool listening =
        channel->Listen(kMainWindowClass, [mainWnd](const WindowMessage& message) {
            DeliverInstanceMessage(mainWnd, message);
        });
    if (!listening) {
        return false;
    }
    channel->AttachToMessageLoop();
    m_channel = std::move(channel);
    return true;
}

void CInstanceChannel::Close()
{
    m_channel.reset();
}

bool AskRunningInstanceToShow()
{
    return SendWindowClassMessage(kMainWindowClass, kShowRequest);
}
