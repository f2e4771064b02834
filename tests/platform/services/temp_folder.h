// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh folder below the system's temporary folder for one test, removed
// with everything in it afterwards; tests never touch the user's own files.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/str_conv.h"

class CTempFolder {
public:
    CTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kx-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    ~CTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path File(const std::string& name) const { return m_path / name; }
    std::u16string WideFile(const std::string& name) const { return Utf8ToUtf16(File(name).string()); }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `body` in a child process that file permissions bind, and returns the
// child's exit code (-1 when it did not exit normally). Under the superuser,
// whom permissions do not bind, the folder is handed to user "nobody" first
// and the child runs as that user.
inline int RunBoundByPermissions(const CTempFolder& folder, const std::function<int()>& body)
{
    constexpr uid_t kNobody = 65534;
    const bool superuser = ::geteuid() == 0;
    if (superuser) {
        [[maybe_unused]] int ignored = ::lchown(folder.Path().c_str(), kNobody, kNobody);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
            ignored = ::lchown(entry.path().c_str(), kNobody, kNobody);
        }
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (superuser && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(100);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
