// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the desktop's notification service, for tests that run on a
// session bus of their own: it takes the service's name on the session bus,
// answers each notification with the next id (1, 2, ...) and keeps what it
// was handed. Its calls arrive through the message loop: pump while waiting.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wndtest {

struct ReceivedNotification {
    std::u16string appName;
    std::uint32_t replacesId = 0;
    std::u16string appIcon;
    std::u16string summary;
    std::u16string body;
    std::u16string desktopEntry;  // the hint; empty when not given
    std::int32_t timeoutMs = 0;
};

class CTestNotificationService {
public:
    CTestNotificationService();
    ~CTestNotificationService();
    CTestNotificationService(const CTestNotificationService&) = delete;
    CTestNotificationService& operator=(const CTestNotificationService&) = delete;

    // False when there is no session bus, or a service has the name already
    // (a real desktop's: a test must not stand in for it).
    bool Start();
    // Also takes the name of a StatusNotifier tray's watcher, so that the
    // desktop looks as if such a tray were there. Call after Start.
    bool StandInForStatusNotifierWatcher();
    const std::vector<ReceivedNotification>& Received() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace wndtest
