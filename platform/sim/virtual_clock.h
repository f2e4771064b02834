// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "platform/clock.h"

// A clock that records every pause instead of waiting (or, for the demo,
// records and waits). Tests and the scripted runner read the pauses back.
class VirtualClock : public IClock {
public:
    explicit VirtualClock(bool waitForReal = false);

    void Sleep(std::chrono::milliseconds duration) override;

    // Time slept since construction or the last Reset.
    std::chrono::milliseconds Elapsed() const { return m_elapsed; }
    const std::vector<std::chrono::milliseconds>& Pauses() const { return m_pauses; }
    void Reset();

    // Called with every pause, after it is recorded.
    void SetListener(std::function<void(std::chrono::milliseconds)> listener) { m_listener = std::move(listener); }

private:
    bool m_waitForReal;
    std::chrono::milliseconds m_elapsed{0};
    std::vector<std::chrono::milliseconds> m_pauses;
    std::function<void(std::chrono::milliseconds)> m_listener;
};

// Installs a clock for the lifetime of the object and puts the previous one back.
class ScopedClock {
public:
    explicit ScopedClock(IClock& clock) : m_previous(SetClock(&clock)) {}
    ~ScopedClock() { SetClock(m_previous); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    IClock* m_previous;
};
