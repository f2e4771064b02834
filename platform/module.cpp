#include "platform/module.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "platform/strconv.h"

namespace {

std::u16string ExecutablePath()
{
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
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
