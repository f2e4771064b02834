// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/shown_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a file";
}

class CFd {
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

ShownFile ReadShownFile(const std::filesystem::path& path, std::size_t limit)
{
    ShownFile shown;
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const CFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        shown.state = errno == ENOENT ? ShownFile::State::Missing : ShownFile::State::Unreadable;
        return shown;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        shown.state = ShownFile::State::Unreadable;
        return shown;
    }
    if (!S_ISREG(st.st_mode)) {
        shown.state = ShownFile::State::NotRegular;
        shown.what = KindOf(st.st_mode);
        return shown;
    }
    shown.size = static_cast<std::uintmax_t>(st.st_size);
    shown.content.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd.Get(), shown.content.data() + got, limit - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            shown.state = ShownFile::State::Unreadable;
            shown.content.clear();
            return shown;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    shown.content.resize(got);
    shown.state = ShownFile::State::Read;
    return shown;
}
