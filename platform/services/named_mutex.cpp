// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "platform/services/runtime_folder.h"
#include "platform/services/win_error.h"

namespace {

// One open lock file; whether this process holds the lock is the kernel's
// business, the object only keeps the descriptor open.
struct NamedMutex {
    int fd = -1;
    ~NamedMutex()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Every mutex handed out lives until the process ends, like the handles the
// program never closes.
std::vector<std::unique_ptr<NamedMutex>>& Mutexes()
{
    static std::vector<std::unique_ptr<NamedMutex>> mutexes;
    return mutexes;
}

HANDLE Keep(std::unique_ptr<NamedMutex> mutex)
{
    static std::mutex guard;
    const std::lock_guard lock(guard);
    Mutexes().push_back(std::move(mutex));
    return Mutexes().back().get();
}

// Takes the lock file's flock; the outcome as the last error would give it.
DWORD LockFile(NamedMutex& mutex, const std::string& path)
{
    mutex.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (mutex.fd < 0) {
        return WinErrorFromErrno(errno);
    }
    int locked = -1;
    do {
        locked = ::flock(mutex.fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : WinErrorFromErrno(errno);
    }
    return ERROR_SUCCESS;
}

// Without a private folder for the lock file, the mutex is a name of the
// user's in the abstract socket namespace: no file anyone could have made
// first, and gone with the process like the flock. Another user could still
// take the name first; then every start sees it taken, and the rule holds at
// the price of not starting.
DWORD LockAbstractName(NamedMutex& mutex, const std::u16string& name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string abstract = "kx507-" + std::to_string(::getuid()) + "-" + SafeFileName(name) + ".lock";
    const std::size_t length = std::min(abstract.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, abstract.data(), length);
    mutex.fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (mutex.fd < 0) {
        return WinErrorFromErrno(errno);
    }
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(mutex.fd, reinterpret_cast<const sockaddr*>(&address), size) != 0) {
        return errno == EADDRINUSE ? ERROR_ALREADY_EXISTS : WinErrorFromErrno(errno);
    }
    return ERROR_SUCCESS;
}

}  // namespace

HANDLE CreateMutexW(void* /*securityAttributes*/, BOOL /*initialOwner*/, const char16_t* name)
{
    auto mutex = std::make_unique<NamedMutex>();
    if (name == nullptr || *name == u'\0') {
        SetLastError(ERROR_SUCCESS);
        return Keep(std::move(mutex));
    }
    const std::string folder = UserRuntimeFolder();
    const DWORD outcome =
        folder.empty() ? LockAbstractName(*mutex, name) : LockFile(*mutex, folder + "/" + SafeFileName(name) + ".lock");
    if (outcome != ERROR_SUCCESS && outcome != ERROR_ALREADY_EXISTS) {
        SetLastError(outcome);
        return nullptr;
    }
    HANDLE handle = Keep(std::move(mutex));
    SetLastError(outcome);
    return handle;
}
