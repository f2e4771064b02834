// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/process_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/services/folder_entries.h"

namespace {

constexpr std::size_t kMaxNameBytes = 64;

// At most maxBytes of the regular file at path; empty when it is anything
// else. Opened without blocking (a pipe in its place) or following a link.
std::string ReadBounded(const std::string& path, std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string content;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        content.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            const ssize_t n = ::read(fd, content.data() + got, maxBytes - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        content.resize(got);
    }
    ::close(fd);
    return content;
}

bool IsNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<ProcessEntry> UserProcesses(const std::string& root)
{
    std::vector<ProcessEntry> processes;
    const auto names = FolderEntryNames(root, kMaxProcesses * 2);
    if (!names) {
        return processes;
    }
    const uid_t user = ::getuid();
    for (const std::string& entry : *names) {
        if (!IsNumber(entry) || processes.size() >= kMaxProcesses) {
            continue;
        }
        const std::string folder = root + "/" + entry;
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != user) {
            continue;
        }
        ProcessEntry process;
        process.pid = std::stoi(entry);
        process.name = ReadBounded(folder + "/comm", kMaxNameBytes);
        while (!process.name.empty() && process.name.back() == '\n') {
            process.name.pop_back();
        }
        std::string arguments = ReadBounded(folder + "/cmdline", kMaxCommandLineBytes);
        while (!arguments.empty() && arguments.back() == '\0') {
            arguments.pop_back();
        }
        const std::string first = arguments.substr(0, arguments.find('\0'));
        const std::size_t slash = first.find_last_of("/\\");
        process.program = slash == std::string::npos ? first : first.substr(slash + 1);
        for (char& c : arguments) {
            if (c == '\0') {
                c = ' ';
            }
        }
        process.commandLine = std::move(arguments);
        processes.push_back(std::move(process));
    }
    return processes;
}
