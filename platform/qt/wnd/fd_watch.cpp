// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fd_watch.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <map>
#include <memory>

namespace {

struct Watch {
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void()> onReadable;
};

std::map<FdWatchId, Watch>& Watches()
{
    static std::map<FdWatchId, Watch> watches;
    return watches;
}

FdWatchId g_nextWatch = 1;

}  // namespace

FdWatchId WatchFdReadable(int fd, std::function<void()> onReadable)
{
    if (fd < 0 || !onReadable || QCoreApplication::instance() == nullptr) {
        return 0;
    }
    const FdWatchId id = g_nextWatch++;
    Watch& watch = Watches()[id];
    watch.onReadable = std::move(onReadable);
    watch.notifier = std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), QSocketNotifier::Read);
    QObject::connect(watch.notifier.get(), &QSocketNotifier::activated, [id] {
        // Copied: the callback may unwatch itself.
        const auto it = Watches().find(id);
        if (it != Watches().end()) {
            const std::function<void()> callback = it->second.onReadable;
            callback();
        }
    });
    return id;
}

void UnwatchFd(FdWatchId id)
{
    const auto it = Watches().find(id);
    if (it == Watches().end()) {
        return;
    }
    // Deleting a notifier from inside its own signal is not allowed; disabled
    // now, it no longer looks at a descriptor the caller is about to close.
    it->second.notifier->setEnabled(false);
    it->second.notifier.release()->deleteLater();
    Watches().erase(it);
}
