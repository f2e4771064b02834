// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/msg_queue.h"

#include <deque>

#include "platform/wnd/backend.h"
#include "platform/wnd/cwnd.h"
#include "platform/wnd/hook.h"

namespace {

std::deque<QueuedMessage>& Queue()
{
    static std::deque<QueuedMessage> queue;
    return queue;
}

struct Dispatching {
    HWND window;
    UINT message;
    std::function<void()>* action;
};

Dispatching* g_dispatching = nullptr;

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// The message's window first, then each parent up to the top-level window.
bool PreTranslate(MSG& msg)
{
    for (CWnd* window = CWnd::FromHandle(msg.hwnd); window != nullptr; window = window->GetParent()) {
        const HWND handle = window->m_hWnd;
        if (window->PreTranslateMessage(&msg)) {
            return true;
        }
        if (CWnd::FromHandle(handle) != window) {
            return true;  // destroyed while looking at the message: nothing left to dispatch to
        }
    }
    return false;
}

}  // namespace

void PostQueuedMessage(QueuedMessage message)
{
    Queue().push_back(std::move(message));
    wndbackend::RequestDrain();
}

bool HasQueuedMessages()
{
    return !Queue().empty();
}

bool PumpOneMessage()
{
    auto& queue = Queue();
    if (queue.empty()) {
        return false;
    }
    QueuedMessage item = std::move(queue.front());
    queue.pop_front();
    MSG& msg = item.msg;
    if (CWnd::FromHandle(msg.hwnd) == nullptr) {
        return true;  // posted to a window that has gone since
    }
    if (IsKeyMessage(msg.message) && RunKeyboardHooks(msg.wParam, msg.lParam) != 0) {
        return true;
    }
    if (PreTranslate(msg)) {
        return true;
    }
    CWnd* target = CWnd::FromHandle(msg.hwnd);
    if (target == nullptr) {
        return true;
    }
    Dispatching dispatching{msg.hwnd, msg.message, item.nativeDefault ? &item.nativeDefault : nullptr};
    Dispatching* const outer = g_dispatching;
    g_dispatching = &dispatching;
    target->Dispatch(msg.message, msg.wParam, msg.lParam);
    g_dispatching = outer;
    return true;
}

void DrainMessages()
{
    do {
        while (PumpOneMessage()) {
        }
        for (HWND handle : CWnd::AllWindows()) {
            if (CWnd* window = CWnd::FromHandle(handle)) {
                window->PaintIfNeeded();
            }
        }
    } while (HasQueuedMessages());
}

bool RunNativeDefault(HWND window, UINT message)
{
    Dispatching* const current = g_dispatching;
    if (current == nullptr || current->action == nullptr || current->window != window || current->message != message) {
        return false;
    }
    std::function<void()> action = std::move(*current->action);
    current->action = nullptr;
    action();
    return true;
}
