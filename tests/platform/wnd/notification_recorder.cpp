// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's notification service for tests that run a whole program:
// takes the service's name on the session bus it is started on, says "ready",
// then prints each notification it receives as one line until it is ended.
// With --status-notifier-watcher the bus also looks as if a StatusNotifier
// tray were there.

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/str_conv.h"
#include "platform/wnd/test_notification_service.h"
#include "platform/wnd/testing.h"

namespace {

std::string Line(const wndtest::ReceivedNotification& received)
{
    return "title \"" + Utf16ToUtf8(received.summary) + "\" text \"" + Utf16ToUtf8(received.body) + "\" icon \"" +
           Utf16ToUtf8(received.appIcon) + "\" desktop-entry \"" + Utf16ToUtf8(received.desktopEntry) +
           "\" timeout " + std::to_string(received.timeoutMs) + " replaces " + std::to_string(received.replacesId);
}

}  // namespace

int main(int argc, char** argv)
{
    wndtest::StartHeadless();
    wndtest::CTestNotificationService service;
    const bool statusNotifierTray = argc == 2 && std::string(argv[1]) == "--status-notifier-watcher";
    if (!service.Start() || (statusNotifierTray && !service.StandInForStatusNotifierWatcher())) {
        std::fprintf(stderr, "kx-notification-recorder: no session bus, or a service has the name already\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::size_t printed = 0;; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        wndtest::PumpMessages();
        for (; printed < service.Received().size(); ++printed) {
            std::printf("%s\n", Line(service.Received()[printed]).c_str());
            std::fflush(stdout);
        }
    }
}
