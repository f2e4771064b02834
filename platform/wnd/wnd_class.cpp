// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/wnd_class.h"

#include <set>
#include <string>

#include "platform/hid.h"

namespace {

constexpr std::u16string_view kDialogClass = u"#32770";

std::set<std::u16string>& Registered()
{
    static std::set<std::u16string> classes;
    return classes;
}

}  // namespace

BOOL GetClassInfoW(void*, const char16_t* className, WNDCLASSW* info)
{
    if (className == nullptr || info == nullptr || !IsWindowClassRegistered(className)) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    info->style = CS_DBLCLKS | CS_SAVEBITS;
    info->lpszClassName = className;
    return TRUE;
}

WORD RegisterClassW(const WNDCLASSW* info)
{
    if (info == nullptr || info->lpszClassName == nullptr || *info->lpszClassName == u'\0') {
        return 0;
    }
    if (IsWindowClassRegistered(info->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    Registered().insert(info->lpszClassName);
    return static_cast<WORD>(0xC000 + Registered().size());
}

BOOL AfxRegisterClass(WNDCLASSW* info)
{
    // A class registered already counts as success, as the framework has it.
    if (info != nullptr && IsWindowClassRegistered(info->lpszClassName)) {
        return TRUE;
    }
    return RegisterClassW(info) != 0 ? TRUE : FALSE;
}

BOOL IsWindowClassRegistered(const char16_t* className)
{
    return className != nullptr && (kDialogClass == className || Registered().count(className) != 0);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    return init != nullptr && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}
