// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/win_error.h"

#include <cerrno>

#include "platform/hid.h"

namespace {

struct ErrnoTranslation {
    int posix;
    DWORD windows;
};

// Windows numbers that have no named constant in the seam headers are
// written out with their Windows names beside them.
constexpr ErrnoTranslation kTranslations[] = {
    {0, ERROR_SUCCESS},
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, 3},        // ERROR_PATH_NOT_FOUND
    {EMFILE, 4},         // ERROR_TOO_MANY_OPEN_FILES
    {ENFILE, 4},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EBADF, ERROR_INVALID_HANDLE},
    {ENOMEM, 8},         // ERROR_NOT_ENOUGH_MEMORY
    {EROFS, 19},         // ERROR_WRITE_PROTECT
    {EBUSY, 32},         // ERROR_SHARING_VIOLATION
    {ETXTBSY, 32},
    {EWOULDBLOCK, 33},   // ERROR_LOCK_VIOLATION
    {EEXIST, 80},        // ERROR_FILE_EXISTS
    {EINVAL, ERROR_INVALID_PARAMETER},
    {ENOSPC, 112},       // ERROR_DISK_FULL
    {EDQUOT, 112},
    {EFBIG, 112},
    {ENAMETOOLONG, 206}, // ERROR_FILENAME_EXCED_RANGE
    {ELOOP, 1921},       // ERROR_CANT_RESOLVE_FILENAME
    {EIO, 1117},         // ERROR_IO_DEVICE
    {ENODEV, ERROR_DEVICE_NOT_CONNECTED},
    {ENXIO, ERROR_DEVICE_NOT_CONNECTED},
};

}  // namespace

DWORD WinErrorFromErrno(int error)
{
    for (const ErrnoTranslation& t : kTranslations) {
        if (t.posix == error) {
            return t.windows;
        }
    }
    return ERROR_GEN_FAILURE;
}

void SetLastErrorFromErrno(int error) { SetLastError(WinErrorFromErrno(error)); }
