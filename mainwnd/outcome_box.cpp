// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/outcome_box.h"

#include "platform/msg_box.h"
#include "platform/winuser.h"

void ShowOutcome(HWND owner, const Outcome& outcome, std::u16string_view mouseNotFound)
{
    const OutcomeMessage message = MessageOf(outcome, mouseNotFound);
    if (!message.said) {
        return;
    }
    // An empty caption is the application's name, which a null caption gives.
    MessageBoxW(owner, message.text.c_str(), message.caption.empty() ? nullptr : message.caption.c_str(), MB_OK);
}
