// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process keeps some state for its whole life: the platform's
// (tests/support/platform_state.h), the program's folder as tests set it, and
// the program's settings record and its applied copy, the device image and
// where it came from, the device link's handles and flags, and the DPI table
// set.
// Every fixture starts from and leaves behind a fresh process's state through
// ResetProcessState, so no test sees what another left.

#include <gtest/gtest.h>

#include "tests/support/headless.h"

// Closes the device handles and puts the program's state back as a fresh
// process starts, the platform's left as it is: for a test that starts the
// program again within itself while its recorders stay in place.
void ResetProgramState();

// Puts all of the process-wide state back as a fresh process starts: the
// program's (ResetProgramState), its folder and the platform's
// (ResetPlatformState).
void ResetProcessState();

// A test that starts from a fresh process's state and leaves one behind.
class ProcessStateTest : public ::testing::Test {
protected:
    ProcessStateTest() { ResetProcessState(); }
    ~ProcessStateTest() override { ResetProcessState(); }
};

// A headless test of the program's windows: the whole process state reset
// before the recorders go in and after they come out.
class HeadlessProgramTest : public HeadlessTest {
protected:
    void ResetState() override { ResetProcessState(); }
};
