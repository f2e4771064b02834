// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/virtual_clock.h"

#include <thread>

VirtualClock::VirtualClock(bool waitForReal) : m_waitForReal(waitForReal) {}

void VirtualClock::Sleep(std::chrono::milliseconds duration)
{
    m_elapsed += duration;
    m_pauses.push_back(duration);
    if (m_listener) {
        m_listener(duration);
    }
    if (m_waitForReal) {
        std::this_thread::sleep_for(duration);
    }
}

void VirtualClock::Reset()
{
    m_elapsed = std::chrono::milliseconds{0};
    m_pauses.clear();
}
