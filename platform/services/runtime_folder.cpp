#include "platform/services/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/strconv.h"

namespace {

// A real folder (not a link to one) owned by the user and closed to others.
bool IsPrivateFolder(const std::string& folder)
{
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 0077) == 0;
}

}  // namespace

std::string UserRuntimeFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/' && IsPrivateFolder(runtime)) {
        return runtime;
    }
    const std::string fallback = "/tmp/kx507-" + std::to_string(::getuid());
    ::mkdir(fallback.c_str(), 0700);
    return IsPrivateFolder(fallback) ? fallback : std::string();
}

std::string SafeFileName(const std::u16string& name)
{
    std::string safe;
    for (const char c : Utf16ToUtf8(name)) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        safe += keep ? c : '_';
    }
    return safe;
}
