// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recorders.h"

#include "platform/winuser.h"

int CRecordingMessageBoxes::Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type)
{
    boxes.push_back({owner, std::u16string(text), std::u16string(caption), type});
    return static_cast<int>(IDOK);
}

bool CRecordingShellOpener::Open(std::u16string_view target)
{
    opened.emplace_back(target);
    return true;
}

void CVirtualClock::Sleep(std::chrono::milliseconds duration)
{
    sleeps.push_back(duration);
    elapsed += duration;
}
