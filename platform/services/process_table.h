// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The processes of this user, read from a folder laid out like /proc (the
// real one, or a test's copy). Everything there is read as untrusted: only
// regular files, never followed links, and at most a bounded number of
// bytes and processes.

#include <cstddef>
#include <string>
#include <vector>

struct ProcessEntry {
    int pid = 0;
    std::string name;         // the kernel's short name (comm), at most 15 bytes
    std::string program;      // the last path part of the first argument, '/' or '\' separated
    std::string commandLine;  // the arguments joined by spaces, at most kMaxCommandLineBytes
};

inline constexpr std::size_t kMaxCommandLineBytes = 16 * 1024;
inline constexpr std::size_t kMaxProcesses = 32768;

// The processes below `root` (numeric folders) whose folder belongs to this
// user, in no particular order.
std::vector<ProcessEntry> UserProcesses(const std::string& root);
