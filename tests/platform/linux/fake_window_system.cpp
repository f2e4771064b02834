// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/platform/linux/fake_window_system.h"

#include "platform/dbt.h"
#include "platform/winuser.h"

std::vector<SentDeviceChange> FakeWindowSystem::sent;
std::function<void(const SentDeviceChange&)> FakeWindowSystem::handler;
std::map<FdWatchId, FakeWindowSystem::Watch> FakeWindowSystem::watches;
bool FakeWindowSystem::failWatch = false;

namespace {

FdWatchId g_nextWatch = 1;

}  // namespace

void FakeWindowSystem::Reset()
{
    sent.clear();
    handler = nullptr;
    watches.clear();
    failWatch = false;
}

void FakeWindowSystem::SignalReadable(int fd)
{
    std::vector<std::function<void()>> callbacks;
    for (const auto& [id, watch] : watches) {
        if (watch.fd == fd) {
            callbacks.push_back(watch.onReadable);
        }
    }
    for (const auto& callback : callbacks) {
        callback();
    }
}

int FakeWindowSystem::Count(WPARAM code)
{
    int count = 0;
    for (const SentDeviceChange& message : sent) {
        count += message.code == code ? 1 : 0;
    }
    return count;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SentDeviceChange record{window, message, wParam, 0, 0, {}, {}};
    if (message == WM_DEVICECHANGE && lParam != 0) {
        const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
        record.size = broadcast->dbcc_size;
        record.deviceType = broadcast->dbcc_devicetype;
        record.classGuid = broadcast->dbcc_classguid;
        record.name = broadcast->dbcc_name;
    }
    FakeWindowSystem::sent.push_back(record);
    if (FakeWindowSystem::handler) {
        FakeWindowSystem::handler(record);
    }
    return TRUE;
}

BOOL ShowWindow(HWND, int) { return TRUE; }

FdWatchId WatchFdReadable(int fd, std::function<void()> onReadable)
{
    if (FakeWindowSystem::failWatch) {
        return -1;
    }
    const FdWatchId id = g_nextWatch++;
    FakeWindowSystem::watches[id] = {fd, std::move(onReadable)};
    return id;
}

void UnwatchFd(FdWatchId id) { FakeWindowSystem::watches.erase(id); }
