// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/accessible.h"

const char* AccessibleRoleName(AccessibleRole role)
{
    switch (role) {
    case AccessibleRole::Button:
        return "button";
    case AccessibleRole::Link:
        return "link";
    case AccessibleRole::PageTab:
        return "page tab";
    case AccessibleRole::ComboBox:
        return "combo box";
    case AccessibleRole::RadioButton:
        return "radio button";
    case AccessibleRole::CheckBox:
        return "check box";
    case AccessibleRole::Text:
        return "text";
    case AccessibleRole::Edit:
        return "edit";
    case AccessibleRole::List:
        return "list";
    }
    return "unknown";
}
