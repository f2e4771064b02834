// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs another program to its end: its standard input given, its standard
// output collected line by line, its exit status returned.

#include <filesystem>
#include <string>
#include <vector>

struct ChildResult {
    bool started = false;
    int exitCode = -1;
    int signal = 0;  // the signal that ended it, 0 when it exited
    std::vector<std::string> outputLines;
};

ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::string& input);
