// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/end_session.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include "platform/qt/wnd/msg_box_presenter.h"
#include "platform/wnd/cdialog.h"

namespace {

// The write end of the pipe the handler reports on; -1 without a watch.
volatile sig_atomic_t g_reportFd = -1;

// Only what is safe in a signal handler: one byte into the pipe. The
// disposition has been reset to the default by then (SA_RESETHAND).
void OnEndRequest(int signal)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(g_reportFd, &byte, 1);
    errno = savedErrno;
}

void EndFromTheLoop(int readFd)
{
    unsigned char drained[16];
    while (::read(readFd, drained, sizeof drained) > 0) {
    }
    CloseOpenMessageBoxes();
    CDialog::CancelModalDialogs();
}

}  // namespace

CEndSessionWatch::CEndSessionWatch()
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return;
    }
    const int readFd = m_pipe[0];
    m_watch = WatchFdReadable(readFd, [readFd] { EndFromTheLoop(readFd); });
    if (m_watch == 0) {
        return;
    }
    g_reportFd = m_pipe[1];
    struct sigaction action {};
    action.sa_handler = OnEndRequest;
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &m_previous[i]);
    }
    m_installed = true;
}

CEndSessionWatch::~CEndSessionWatch()
{
    if (m_installed) {
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
        }
        g_reportFd = -1;
    }
    if (m_watch != 0) {
        UnwatchFd(m_watch);
    }
    for (const int fd : m_pipe) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}
