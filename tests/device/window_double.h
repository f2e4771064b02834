// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/msg_box.h"
#include "platform/winuser.h"

// Stands in for the window framework in the device tests: records the
// window calls the device link makes and hands SendMessageW to a per-window
// handler, as a window's message table would.
class RecordingWindows {
public:
    struct Call {
        std::string function;  // "SendMessageW", "PostMessageW", "ShowWindow", ...
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        friend bool operator==(const Call&, const Call&) = default;
    };
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    RecordingWindows();
    ~RecordingWindows();

    void SetHandler(HWND window, Handler handler) { m_handlers[window] = std::move(handler); }
    const std::vector<Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    bool Visible(HWND window) const;

    // Entry points for the free functions.
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(Call call) { m_calls.push_back(call); }
    void SetVisible(HWND window, bool visible) { m_visible[window] = visible; }
    static RecordingWindows* Current();

private:
    std::map<HWND, Handler> m_handlers;
    std::map<HWND, bool> m_visible;
    std::vector<Call> m_calls;
    RecordingWindows* m_previous;
};

// Records every owner message box and answers OK at once.
class RecordingMessageBoxes : public IMessageBoxPresenter {
public:
    struct Box {
        HWND owner;
        std::u16string text;
        std::u16string caption;
    };

    RecordingMessageBoxes() : m_previous(SetMessageBoxPresenter(this)) {}
    ~RecordingMessageBoxes() override { SetMessageBoxPresenter(m_previous); }

    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT) override
    {
        m_boxes.push_back({owner, std::u16string(text), std::u16string(caption)});
        return static_cast<int>(IDOK);
    }

    const std::vector<Box>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    std::vector<Box> m_boxes;
    IMessageBoxPresenter* m_previous;
};

// Distinct fake window handles; nothing looks inside them.
inline HWND FakeWindow(std::uintptr_t id) { return reinterpret_cast<HWND>(0x10000 + id * 16); }
