// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kx-507-ctl-demo run as a process in a copy of the program's folder (the
// command and the shipped config.bin) with a private run-time folder, all
// under a temporary root that goes with the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/ctl/process.h"

class CtlFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The run-time folder and a plain locale, on the offscreen desktop.
    std::vector<std::string> Environment() const;
    // The command with these arguments, run in the program's folder.
    ProcessResult Ctl(std::vector<std::string> arguments) const;

    std::filesystem::path m_root;
    std::filesystem::path m_folder;  // the program's folder
    std::filesystem::path m_run;     // XDG_RUNTIME_DIR
    std::filesystem::path m_output;  // where the build put the programs
};
