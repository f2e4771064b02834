// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/edit.h"

#include "platform/qt/wnd/edit_widget.h"
#include "platform/qt/wnd/native_window.h"

BOOL CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (parent == nullptr || parent->Native() == nullptr || parent->Native()->Widget() == nullptr) {
        return FALSE;
    }
    auto* widget = new CEditWidget(parent->Native()->Widget(), style);
    return AttachControl(std::make_unique<CNativeWindow>(widget), style, rect, parent, id);
}

void CEdit::SetLimitText(UINT maxChars)
{
    if (auto* edit = Native() != nullptr ? dynamic_cast<CEditWidget*>(Native()->Widget()) : nullptr) {
        edit->setMaxLength(maxChars == 0 ? 32767 : static_cast<int>(maxChars));
    }
}
