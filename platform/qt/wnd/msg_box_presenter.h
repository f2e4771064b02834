// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes on screen: a modal box with the caption, the text and an OK
// button, over its owner window.

#include "platform/msg_box.h"

class CQtMessageBoxPresenter : public IMessageBoxPresenter {
public:
    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
};

// Answers every box the presenter shows at the moment, as OK.
void CloseOpenMessageBoxes();
