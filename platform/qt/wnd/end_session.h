// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session's requests to end the program: log-out (SIGHUP), kill
// (SIGTERM), Ctrl+C in a terminal (SIGINT). While a watch lives, such a
// request ends the program as a person closing everything would: message
// boxes are answered, and every modal dialog gets the cancel command, the
// innermost first, from the message loop. The main window's own cancel
// handling then ends the program in its usual way. A second request ends the
// process at once, as the signal would have without the watch.

#include <csignal>

#include "platform/fd_watch.h"

class CEndSessionWatch {
public:
    CEndSessionWatch();
    ~CEndSessionWatch();
    CEndSessionWatch(const CEndSessionWatch&) = delete;
    CEndSessionWatch& operator=(const CEndSessionWatch&) = delete;

private:
    static constexpr int kSignals[] = {SIGHUP, SIGINT, SIGTERM};

    int m_pipe[2] = {-1, -1};
    FdWatchId m_watch = 0;
    struct sigaction m_previous[std::size(kSignals)] = {};
    bool m_installed = false;
};
