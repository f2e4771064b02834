// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user-interface thread's message queue. Posted messages and input wait
// here; the message loop takes them one by one: key messages pass the
// keyboard hooks, every message is offered for pre-translation to its window
// and that window's parents, and what is left is dispatched.

#include <functional>

#include "platform/wnd/msg.h"

struct QueuedMessage {
    MSG msg;
    // For input to a control: what the control does with it natively when
    // the message reaches its default handling.
    std::function<void()> nativeDefault;
};

void PostQueuedMessage(QueuedMessage message);
// Takes and handles one message; false when the queue was empty.
bool PumpOneMessage();
// Handles every queued message, then paints the windows marked for painting.
void DrainMessages();
bool HasQueuedMessages();
// Called from a control's default handling: runs the native action of the
// input message now being dispatched to `window`, once. False if there is none.
bool RunNativeDefault(HWND window, UINT message);
