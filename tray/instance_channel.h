// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running instance's door for other programs of the same user. Other
// programs send the main window its notification message, as any program
// may post to a window it finds by class name; a second start on a desktop
// without a notification area asks the running instance to open its window,
// because there is no tray icon to click.

#include <memory>

#include "platform/ipc/window_message_channel.h"
#include "platform/windef.h"

// The main window's class name, which other programs address it by.
inline constexpr char16_t kMainWindowClass[] = u"RV880KXClass";

// What a message from another program does to the main window: the
// notification message is sent on unchanged; the request to open the window
// (the tray callback with a left-button release) is sent on only when the
// desktop has no notification area; anything else is dropped.
void DeliverInstanceMessage(HWND mainWnd, const WindowMessage& message);

class CInstanceChannel {
public:
    CInstanceChannel() = default;
    CInstanceChannel(const CInstanceChannel&) = delete;
    CInstanceChannel& operator=(const CInstanceChannel&) = delete;
    ~CInstanceChannel() = default;

    // Listens under the class name and delivers to mainWnd from the message
    // loop. Only the holder of the single-instance mutex may call this, since
    // it takes the name over from whatever socket was left there.
    bool Open(HWND mainWnd);
    void Close();
    bool IsOpen() const { return m_channel != nullptr; }

private:
    std::unique_ptr<CWindowMessageChannel> m_channel;
};

// A second start's request to the running instance when there is no
// notification area: open your window. Returns whether it was sent.
bool AskRunningInstanceToShow();
