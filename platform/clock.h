// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sleep, through a clock that tests and the scripted runner replace with a
// virtual one, so that pacing is checked without waiting.

#include <chrono>

#include "platform/windef.h"

class IClock {
public:
    virtual ~IClock() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// Installs the clock used from now on and returns the previous one; the caller
// keeps ownership. nullptr restores the real clock.
IClock* SetClock(IClock* clock);

void Sleep(DWORD milliseconds);
