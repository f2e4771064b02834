// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/hook.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/hid.h"
#include "platform/wnd/msg.h"

namespace {

struct HookEntry {
    HHOOK handle;
    HOOKPROC procedure;
};

// Oldest first; the chain runs from the back.
std::vector<HookEntry>& Hooks()
{
    static std::vector<HookEntry> hooks;
    return hooks;
}

std::uintptr_t g_nextHook = 1;
DWORD g_failNextWith = 0;

LRESULT CallFrom(std::size_t count, int code, WPARAM wParam, LPARAM lParam)
{
    // count is the number of hooks still to run, taken from the back. A hook
    // that unhooks itself or others while running only shortens the rest.
    auto& hooks = Hooks();
    if (count == 0 || count > hooks.size()) {
        return 0;
    }
    const HookEntry entry = hooks[count - 1];
    return entry.procedure(code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookExW(int idHook, HOOKPROC procedure, HINSTANCE module, DWORD threadId)
{
    if (g_failNextWith != 0) {
        SetLastError(std::exchange(g_failNextWith, 0));
        return nullptr;
    }
    if (idHook != WH_KEYBOARD) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (procedure == nullptr) {
        SetLastError(ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    if (threadId != GetCurrentThreadId() && module == nullptr) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    const HHOOK handle = reinterpret_cast<HHOOK>(g_nextHook++);
    Hooks().push_back({handle, procedure});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto& hooks = Hooks();
    const auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const HookEntry& e) { return e.handle == hook; });
    if (it == hooks.end()) {
        return FALSE;
    }
    hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    const auto& hooks = Hooks();
    const auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const HookEntry& e) { return e.handle == hook; });
    if (it == hooks.end()) {
        return 0;
    }
    return CallFrom(static_cast<std::size_t>(it - hooks.begin()), code, wParam, lParam);
}

LRESULT RunKeyboardHooks(WPARAM virtualKey, LPARAM keystrokeFlags)
{
    return CallFrom(Hooks().size(), HC_ACTION, virtualKey, keystrokeFlags);
}

void FailNextHookForTesting(DWORD error)
{
    g_failNextWith = error;
}

std::size_t KeyboardHookCountForTesting()
{
    return Hooks().size();
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(::gettid());
}
