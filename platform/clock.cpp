// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <thread>

namespace {

IClock* g_clock = nullptr;

}  // namespace

IClock* SetClock(IClock* clock)
{
    IClock* previous = g_clock;
    g_clock = clock;
    return previous;
}

void Sleep(DWORD milliseconds)
{
    const std::chrono::milliseconds duration(milliseconds);
    if (g_clock) {
        g_clock->Sleep(duration);
        return;
    }
    std::this_thread::sleep_for(duration);
}
