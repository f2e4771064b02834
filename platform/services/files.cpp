// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/hid.h"
#include "platform/services/win_error.h"
#include "platform/str_conv.h"

namespace {

// Closes a descriptor when it goes out of scope.
class CFd {
public:
    explicit CFd(int fd = -1) : m_fd(fd) {}
    CFd(CFd&& other) noexcept : m_fd(other.Release()) {}
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    CFd& operator=(CFd&&) = delete;
    ~CFd() { Reset(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void Reset(int fd = -1)
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd;
};

BOOL FailWithErrno(int error)
{
    SetLastErrorFromErrno(error);
    return FALSE;
}

std::string NativePath(const char16_t* path) { return path ? Utf16ToUtf8(path) : std::string(); }

// Opens without blocking on a pipe or device, then insists on a regular file.
// Clears O_NONBLOCK again so the caller gets ordinary blocking behaviour.
CFd OpenRegular(const std::string& path, int flags)
{
    CFd fd(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.Valid()) {
        return fd;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fd.Reset();
        errno = EACCES;
        return fd;
    }
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

struct ModeFlags {
    int flags = 0;
    bool truncate = false;
    const char* stdioMode = nullptr;
};

std::optional<ModeFlags> ParseMode(std::u16string_view mode)
{
    if (mode.empty()) {
        return std::nullopt;
    }
    const bool update = mode.find(u'+') != std::u16string_view::npos;
    switch (mode.front()) {
    case u'r':
        return ModeFlags{update ? O_RDWR : O_RDONLY, false, update ? "r+b" : "rb"};
    case u'w':
        return ModeFlags{(update ? O_RDWR : O_WRONLY) | O_CREAT, true, update ? "w+b" : "wb"};
    case u'a':
        return ModeFlags{(update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND, false, update ? "a+b" : "ab"};
    default:
        return std::nullopt;
    }
}

bool WriteAll(int fd, std::string_view content, off_t offset)
{
    while (!content.empty()) {
        const ssize_t written = ::pwrite(fd, content.data(), content.size(), offset);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// The file a path finally names: a symbolic link is followed, so that saving
// replaces the file it points at and not the link.
std::string ResolvedTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// A new, uniquely named file beside `target`; its name starts with a dot so
// that a left-over after a crash stays out of sight.
CFd CreateTemporaryBeside(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + base + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        CFd fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.Valid() || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return CFd();
}

// Last resort when the folder admits no temporary file: overwrite from the
// start, then cut to the new length, so the file is never emptied first.
BOOL SaveInPlace(int fd, std::string_view content)
{
    if (!WriteAll(fd, content, 0) || ::ftruncate(fd, static_cast<off_t>(content.size())) != 0 || ::fsync(fd) != 0) {
        return FailWithErrno(errno);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// Fills the temporary file, gives it the old file's permissions, flushes and
// closes it. Returns 0, or the errno of what failed.
int FillTemporary(CFd temp, std::string_view content, const struct stat* existing)
{
    bool ok = WriteAll(temp.Get(), content, 0);
    if (ok && existing) {
        ok = ::fchmod(temp.Get(), existing->st_mode & 07777) == 0;
        // Keeping the owner only works for a privileged process; not an error otherwise.
        [[maybe_unused]] const int ignored = ::fchown(temp.Get(), existing->st_uid, existing->st_gid);
    }
    ok = ok && ::fsync(temp.Get()) == 0;
    int error = ok ? 0 : (errno != 0 ? errno : EIO);
    if (::close(temp.Release()) != 0 && ok) {
        error = errno;
    }
    return error;
}

// Fills the temporary file and renames it over the target. The temporary
// file never outlives a failure.
BOOL CommitTemporary(CFd temp, const std::string& tempPath, const std::string& target, std::string_view content,
                     const struct stat* existing)
{
    int error = FillTemporary(std::move(temp), content, existing);
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return FailWithErrno(error);
    }
    // The folder is not flushed: after a crash the file holds its old or its
    // new content, both whole, which is all that matters here.
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// One file of a joint save, written beside its target and not yet renamed.
struct PreparedFile {
    std::string temp;
    std::string target;
};

// Writes the new content of one file beside it, as SaveWholeFileW would
// before its rename; false with errno set when it cannot.
bool PrepareReplacement(const WholeFile& file, PreparedFile& prepared)
{
    prepared.target = ResolvedTarget(NativePath(file.path));
    CFd existing = OpenRegular(prepared.target, O_WRONLY);
    struct stat st {};
    if (!existing.Valid() && (errno != ENOENT || file.creation == FileCreation::ExistingOnly)) {
        return false;
    }
    if (existing.Valid() && ::fstat(existing.Get(), &st) != 0) {
        return false;
    }
    CFd temp = CreateTemporaryBeside(prepared.target, prepared.temp);
    if (!temp.Valid()) {
        return false;
    }
    const int error = FillTemporary(std::move(temp), file.content, existing.Valid() ? &st : nullptr);
    if (error != 0) {
        ::unlink(prepared.temp.c_str());
        errno = error;
        return false;
    }
    return true;
}

void DiscardPrepared(const std::vector<PreparedFile>& prepared, std::size_t from)
{
    for (std::size_t i = from; i < prepared.size(); ++i) {
        ::unlink(prepared[i].temp.c_str());
    }
}

}  // namespace

BOOL SaveWholeFilesW(std::span<const WholeFile> files)
{
    std::vector<PreparedFile> prepared;
    for (const WholeFile& file : files) {
        PreparedFile next;
        if (file.path == nullptr || *file.path == u'\0' || !PrepareReplacement(file, next)) {
            const int error = file.path == nullptr || *file.path == u'\0' ? EINVAL : errno;
            DiscardPrepared(prepared, 0);
            return FailWithErrno(error);
        }
        prepared.push_back(std::move(next));
    }
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        if (::rename(prepared[i].temp.c_str(), prepared[i].target.c_str()) != 0) {
            const int error = errno;
            DiscardPrepared(prepared, i);
            return FailWithErrno(error);
        }
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL PathFileExistsW(const char16_t* path)
{
    if (path == nullptr || *path == u'\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat st {};
    if (::stat(NativePath(path).c_str(), &st) != 0) {
        return FailWithErrno(errno);
    }
    return TRUE;
}

std::FILE* OpenFileW(const char16_t* path, const char16_t* mode)
{
    const auto parsed = ParseMode(mode ? std::u16string_view(mode) : std::u16string_view());
    if (path == nullptr || !parsed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    CFd fd = OpenRegular(NativePath(path), parsed->flags);
    if (!fd.Valid() || (parsed->truncate && ::ftruncate(fd.Get(), 0) != 0)) {
        FailWithErrno(errno);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd.Get(), parsed->stdioMode);
    if (file == nullptr) {
        FailWithErrno(errno);
        return nullptr;
    }
    fd.Release();
    return file;
}

namespace {

FileVersion VersionOf(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
        static_cast<std::uint64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
        static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

std::optional<std::string> ReadWholeFile(const char16_t* path, std::size_t maxBytes, FileVersion* version)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    CFd fd = OpenRegular(NativePath(path), O_RDONLY);
    if (!fd.Valid()) {
        FailWithErrno(errno);
        return std::nullopt;
    }
    if (version != nullptr) {
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0) {
            FailWithErrno(errno);
            return std::nullopt;
        }
        *version = VersionOf(st);
    }
    std::string content;
    char chunk[8192];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailWithErrno(errno);
            return std::nullopt;
        }
        // Checked as the bytes come, since the file may grow while it is read.
        if (static_cast<std::size_t>(got) > maxBytes - content.size()) {
            SetLastError(ERROR_FILE_TOO_LARGE);
            return std::nullopt;
        }
        content.append(chunk, static_cast<std::size_t>(got));
    }
    SetLastError(ERROR_SUCCESS);
    return content;
}

}  // namespace

std::optional<std::string> ReadWholeFileW(const char16_t* path, std::size_t maxBytes)
{
    return ReadWholeFile(path, maxBytes, nullptr);
}

std::optional<std::string> ReadWholeFileW(const char16_t* path, std::size_t maxBytes, FileVersion& version)
{
    return ReadWholeFile(path, maxBytes, &version);
}

std::optional<FileVersion> RegularFileVersionW(const char16_t* path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    const CFd fd = OpenRegular(NativePath(path), O_RDONLY);
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        FailWithErrno(errno);
        return std::nullopt;
    }
    return VersionOf(st);
}

BOOL SaveWholeFileW(const char16_t* path, std::string_view content, FileCreation creation)
{
    if (path == nullptr || *path == u'\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string target = ResolvedTarget(NativePath(path));
    // Opening the file for writing first means a file the user may not write
    // stays as it is, even in a folder where a rename would be allowed.
    CFd existing = OpenRegular(target, O_WRONLY);
    if (!existing.Valid()) {
        if (errno != ENOENT || creation == FileCreation::ExistingOnly) {
            return FailWithErrno(errno);
        }
    }
    struct stat st {};
    if (existing.Valid() && ::fstat(existing.Get(), &st) != 0) {
        return FailWithErrno(errno);
    }
    std::string tempPath;
    CFd temp = CreateTemporaryBeside(target, tempPath);
    if (!temp.Valid()) {
        const int error = errno;
        if (existing.Valid() && (error == EACCES || error == EPERM)) {
            return SaveInPlace(existing.Get(), content);
        }
        return FailWithErrno(error);
    }
    return CommitTemporary(std::move(temp), tempPath, target, content, existing.Valid() ? &st : nullptr);
}
