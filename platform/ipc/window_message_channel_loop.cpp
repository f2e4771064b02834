// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fd_watch.h"
#include "platform/ipc/window_message_channel.h"

void CWindowMessageChannel::AttachToMessageLoop()
{
    if (m_fd >= 0 && !m_detach) {
        const FdWatchId watch = WatchFdReadable(m_fd, [this] { ReceivePending(); });
        m_detach = [watch] { UnwatchFd(watch); };
    }
}
