// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the built programs as processes of their own, in a folder, with
// extra environment, waiting for them within a bound.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct ProcessResult {
    int status = -1;  // exit status; -1 when it did not end within the bound
    std::string out;
    std::string err;
};

struct ProcessLaunch {
    std::vector<std::string> argv;
    std::filesystem::path folder;           // working folder, and where output is kept
    std::vector<std::string> environment;  // NAME=VALUE, added to the test's own
};

// Starts the process; its standard output and error go to files in the folder.
pid_t StartProcess(const ProcessLaunch& launch);

// Waits for a started process (killing it past the bound) and collects its output.
ProcessResult WaitProcess(pid_t pid, const ProcessLaunch& launch, std::chrono::seconds bound);

ProcessResult RunProcess(const ProcessLaunch& launch, std::chrono::seconds bound = std::chrono::seconds(60));

std::string FileText(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view content);

// Polls the condition until it holds (true) or a minute has passed (false).
bool PollUntil(const std::function<bool()>& condition);
