// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins that record what the program shows or does outside its windows:
// message boxes (answered OK at once), shell "open" requests and sleeps on a
// virtual clock that never waits.

#include <chrono>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/msg_box.h"
#include "platform/services/shell.h"

struct RecordedBox {
    HWND owner = nullptr;
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
};

class CRecordingMessageBoxes : public IMessageBoxPresenter {
public:
    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    std::vector<RecordedBox> boxes;
};

class CRecordingShellOpener : public IShellOpener {
public:
    bool Open(std::u16string_view target) override;
    std::vector<std::u16string> opened;
};

class CVirtualClock : public IClock {
public:
    void Sleep(std::chrono::milliseconds duration) override;
    std::vector<std::chrono::milliseconds> sleeps;
    std::chrono::milliseconds elapsed{0};
};
