// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/headless.h"

#include <chrono>
#include <thread>

bool PumpUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    wndtest::PumpMessages();
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        wndtest::PumpMessages();
    }
    return true;
}

void HeadlessTest::SetUp()
{
    wndtest::StartHeadless();
    ResetState();
    SetMessageBoxPresenter(&m_boxes);
    SetShellOpener(&m_shell);
    SetClock(&m_clock);
    m_previousUnscripted = wndtest::SetUnscriptedModalHandler([](UINT templateId) {
        ADD_FAILURE() << "modal dialog " << templateId << " came up with no scripted action to answer it";
    });
}

void HeadlessTest::TearDown()
{
    wndtest::PumpMessages();
    wndtest::SetUnscriptedModalHandler(std::move(m_previousUnscripted));
    ResetState();
}
