// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ctl/process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

pid_t StartProcess(const ProcessLaunch& launch)
{
    const std::string out = (launch.folder / ".out").string();
    const std::string err = (launch.folder / ".err").string();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(launch.folder.c_str()) != 0 || !std::freopen(out.c_str(), "w", stdout) ||
            !std::freopen(err.c_str(), "w", stderr) || !std::freopen("/dev/null", "r", stdin)) {
            ::_exit(126);
        }
        for (const std::string& entry : launch.environment) {
            ::putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> argv;
        for (const std::string& argument : launch.argv) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

ProcessResult WaitProcess(pid_t pid, const ProcessLaunch& launch, std::chrono::seconds bound)
{
    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.err = "did not end within the bound\n";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = FileText(launch.folder / ".out");
    result.err = FileText(launch.folder / ".err");
    return result;
}

ProcessResult RunProcess(const ProcessLaunch& launch, std::chrono::seconds bound)
{
    return WaitProcess(StartProcess(launch), launch, bound);
}

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

bool PollUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
