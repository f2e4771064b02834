// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/module.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <utility>

#include "platform/str_conv.h"

namespace {

constexpr char kSelf[] = "/proc/self/exe";

// Once the executable's file is removed, or replaced by an upgrade that
// renames a new file over it, the kernel adds " (deleted)" to the link. The
// program still lives where it started, under the name it started with.
std::string_view WithoutDeletedMark(std::string_view path)
{
    constexpr std::string_view kMark = " (deleted)";
    if (!path.ends_with(kMark)) {
        return path;
    }
    struct stat named {};
    struct stat running {};
    const std::string whole(path);
    if (::stat(whole.c_str(), &named) == 0 && ::stat(kSelf, &running) == 0 && named.st_dev == running.st_dev &&
        named.st_ino == running.st_ino) {
        return path;  // a file that is really called so
    }
    path.remove_suffix(kMark.size());
    return path;
}

std::u16string ExecutablePath()
{
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = ::readlink(kSelf, buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    return Utf8ToUtf16(WithoutDeletedMark(std::string_view(buffer.data(), static_cast<std::size_t>(length))));
}

std::optional<std::u16string>& ApplicationNameOverride()
{
    static std::optional<std::u16string> name;
    return name;
}

}  // namespace

void SetApplicationNameForTesting(std::optional<std::u16string> name) { ApplicationNameOverride() = std::move(name); }

DWORD GetModuleFileNameW(void* /*module*/, char16_t* buffer, DWORD size)
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::u16string path = ExecutablePath();
    const DWORD copied = static_cast<DWORD>(std::min<std::size_t>(path.size(), size - 1));
    std::copy_n(path.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return copied;
}

std::u16string ApplicationName()
{
    if (const auto& chosen = ApplicationNameOverride()) {
        return *chosen;
    }
    std::u16string name = ExecutablePath();
    const auto slash = name.find_last_of(u'/');
    if (slash != std::u16string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}
