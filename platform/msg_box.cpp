// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/msg_box.h"

#include <cstdio>

#include "platform/module.h"
#include "platform/str_conv.h"
#include "platform/winuser.h"

namespace {

IMessageBoxPresenter* g_presenter = nullptr;

}  // namespace

IMessageBoxPresenter* SetMessageBoxPresenter(IMessageBoxPresenter* presenter)
{
    IMessageBoxPresenter* previous = g_presenter;
    g_presenter = presenter;
    return previous;
}

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type)
{
    const std::u16string_view body = text ? std::u16string_view(text) : std::u16string_view();
    const std::u16string title = caption ? std::u16string(caption) : ApplicationName();
    if (g_presenter) {
        return g_presenter->Show(owner, body, title, type);
    }
    std::fprintf(stderr, "[%s] %s\n", Utf16ToUtf8(title).c_str(), Utf16ToUtf8(body).c_str());
    return static_cast<int>(IDOK);
}
