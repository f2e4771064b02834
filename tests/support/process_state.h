// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program keeps some state for the whole process: the settings record and its applied copy, the device image
// and where it came from, the device link's handles and flags, and the DPI
// table set. Every fixture starts from and leaves behind a fresh process's
// state through this one routine, so no test sees what another left.

#include <gtest/gtest.h>

// Closes the device handles and puts all of that back as a fresh process
// starts. (The presenters and the clock belong to HeadlessTest.)
void ResetProcessState();

// A test that starts from a fresh process's state and leaves one behind.
class ProcessStateTest : public ::testing::Test {
protected:
    ProcessStateTest() { ResetProcessState(); }
    ~ProcessStateTest() override { ResetProcessState(); }
};
