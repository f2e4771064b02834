#include "app/shell/tray_icon.h"

#include <algorithm>
#include <string_view>

namespace {

// Copies as much of text as fits before the field's terminator, and clears the rest.
template <std::size_t N>
void CopyField(char16_t (&field)[N], std::u16string_view text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(text.begin(), length, field);
}

}  // namespace

NOTIFYICONDATAW MakeTrayIconRecord(HWND window, HICON icon)
{
    NOTIFYICONDATAW record;
    record.cbSize = kNotifyIconDataSizeWithoutBalloonIcon;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = kTrayIconFlags;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    CopyField(record.szTip, kTrayTip);
    return record;
}

void ShowBalloon(NOTIFYICONDATAW& record, const Balloon& balloon)
{
    CopyField(record.szInfo, balloon.text);
    record.uFlags = kTrayBalloonFlags;
    CopyField(record.szInfoTitle, balloon.title);
    record.dwInfoFlags = NIIF_INFO;
    record.uTimeout = static_cast<UINT>(balloon.timeout.count());
    Shell_NotifyIconW(NIM_MODIFY, &record);
}
