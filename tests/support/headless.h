// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test fixture with the desktop started headless and every outside effect
// recorded: message boxes, shell open, sleeps. Windows made by a test are
// driven through platform/wnd/testing.h. A modal dialog that comes up with
// no scripted action to answer it fails the test.

#include <gtest/gtest.h>

#include <functional>

#include "platform/wnd/testing.h"
#include "tests/support/platform_state.h"
#include "tests/support/recorders.h"

// Handles messages until condition holds, for at most 10 s of real time;
// false when it never did. For what arrives from outside the loop (datagrams,
// signals, other processes), which takes the loop's turns, not a known time.
bool PumpUntil(const std::function<bool()>& condition);

class HeadlessTest : public ::testing::Test {
protected:
    // Resets the state, then puts the recorders in; takes them out and
    // resets the state again.
    void SetUp() override;
    void TearDown() override;
    // What SetUp and TearDown reset: the platform's state here, the whole
    // process's in HeadlessProgramTest.
    virtual void ResetState() { ResetPlatformState(); }

    CRecordingMessageBoxes m_boxes;
    CRecordingShellOpener m_shell;
    CVirtualClock m_clock;

private:
    wndtest::UnscriptedModalHandler m_previousUnscripted;
};
