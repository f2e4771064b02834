#include "platform/services/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

HANDLE CreateMutexW(void* /*securityAttributes*/, BOOL /*initialOwner*/, const char16_t* name)
{
    auto mutex = std::make_unique<NamedMutex>();
    if (name == nullptr || *name == u'\0') {
        SetLastError(ERROR_SUCCESS);
        return Keep(std::move(mutex));
    }
    const std::string folder = UserRuntimeFolder();
    if (folder.empty()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::string path = folder + "/" + SafeFileName(name) + ".lock";
    mutex->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (mutex->fd < 0) {
        SetLastErrorFromErrno(errno);
        return nullptr;
    }
    int locked = -1;
    do {
        locked = ::flock(mutex->fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno != EWOULDBLOCK) {
        SetLastErrorFromErrno(errno);
        return nullptr;
    }
    const DWORD outcome = locked == 0 ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    HANDLE handle = Keep(std::move(mutex));
    SetLastError(outcome);
    return handle;
}
