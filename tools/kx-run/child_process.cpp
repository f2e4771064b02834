// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace {

class CPipe {
public:
    CPipe() { m_ok = ::pipe2(m_fds, O_CLOEXEC) == 0; }
    ~CPipe()
    {
        CloseRead();
        CloseWrite();
    }
    CPipe(const CPipe&) = delete;
    CPipe& operator=(const CPipe&) = delete;

    bool Ok() const { return m_ok; }
    int Read() const { return m_fds[0]; }
    int Write() const { return m_fds[1]; }
    void CloseRead() { Close(m_fds[0]); }
    void CloseWrite() { Close(m_fds[1]); }

private:
    static void Close(int& fd)
    {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
    int m_fds[2] = {-1, -1};
    bool m_ok = false;
};

void WriteAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.data() + done, data.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::string ReadAll(int fd)
{
    std::string data;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return data;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

}  // namespace

ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::string& input)
{
    ChildResult result;
    CPipe in;
    CPipe out;
    if (!in.Ok() || !out.Ok()) {
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.Read(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.Write(), STDOUT_FILENO);

    std::vector<std::string> argv = {program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return result;
    }
    result.started = true;
    in.CloseRead();
    out.CloseWrite();
    // The script is small enough for the pipe, so writing it all before
    // reading cannot block on the child's output.
    WriteAll(in.Write(), input);
    in.CloseWrite();
    result.outputLines = SplitLines(ReadAll(out.Read()));

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}
