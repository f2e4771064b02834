// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The owner message box. Every user-visible failure goes through MessageBoxW;
// a presenter decides how it is shown: the desktop backend shows a real box,
// tests and the scripted runner record it and answer OK at once.

#include <string>
#include <string_view>

#include "platform/windef.h"

class IMessageBoxPresenter {
public:
    virtual ~IMessageBoxPresenter() = default;
    // Shows the box modally and returns the button pressed (IDOK for MB_OK).
    virtual int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) = 0;
};

// Installs the presenter used from now on and returns the previous one. The
// caller keeps ownership. Without a presenter, boxes are written to stderr and
// answered IDOK, so a box is never lost silently.
IMessageBoxPresenter* SetMessageBoxPresenter(IMessageBoxPresenter* presenter);

// caption == nullptr gives the application name, as Windows does.
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type);
