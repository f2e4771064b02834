// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/runtime_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/str_conv.h"

namespace {

// A real folder (not a link to one) owned by the user and closed to others.
bool IsPrivateFolder(const std::string& folder)
{
    struct stat st {};
    return !folder.empty() && folder.front() == '/' && ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 0077) == 0;
}

// `name` below `parent`, made when missing, if it is private then.
std::string PrivateFolderBelow(const std::string& parent, const std::string& name)
{
    const std::string folder = parent + "/" + name;
    ::mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

std::string HostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') {
        return "localhost";
    }
    return SafeFileName(Utf8ToUtf16(name));
}

std::mutex g_placesGuard;
std::optional<RuntimeFolderPlaces> g_testPlaces;
std::atomic<bool> g_toldNone{false};

}  // namespace

bool IsUsersOwnFolder(const std::string& folder)
{
    struct stat st {};
    return !folder.empty() && folder.front() == '/' && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 0022) == 0;
}

std::string UserHomeFolder()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

RuntimeFolderPlaces SystemRuntimeFolderPlaces()
{
    RuntimeFolderPlaces places;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        places.runtimeDir = runtime;
    }
    places.runUser = "/run/user/" + std::to_string(::getuid());
    places.home = UserHomeFolder();
    places.temp = "/tmp";
    return places;
}

std::string ChooseRuntimeFolder(const RuntimeFolderPlaces& places)
{
    for (const std::string& folder : {places.runtimeDir, places.runUser}) {
        if (IsPrivateFolder(folder)) {
            return folder;
        }
    }
    if (IsUsersOwnFolder(places.home)) {
        const std::string cache = places.home + "/.cache";
        ::mkdir(cache.c_str(), 0700);
        if (IsUsersOwnFolder(cache)) {
            if (std::string folder = PrivateFolderBelow(cache, "kx507-" + HostName()); !folder.empty()) {
                return folder;
            }
        }
    }
    // Anyone may make this one first; it is only taken when it is ours.
    if (!places.temp.empty()) {
        return PrivateFolderBelow(places.temp, "kx507-" + std::to_string(::getuid()));
    }
    return {};
}

std::string UserRuntimeFolder()
{
    std::optional<RuntimeFolderPlaces> places;
    {
        const std::lock_guard lock(g_placesGuard);
        places = g_testPlaces;
    }
    const std::string folder = ChooseRuntimeFolder(places ? *places : SystemRuntimeFolderPlaces());
    if (folder.empty() && !g_toldNone.exchange(true)) {
        std::fputs("KX-507: no private folder for run-time files ($XDG_RUNTIME_DIR, /run/user, ~/.cache and /tmp "
                   "are not usable): only one copy runs, but other programs cannot reach it\n",
                   stderr);
    }
    return folder;
}

void SetRuntimeFolderPlacesForTesting(std::optional<RuntimeFolderPlaces> places)
{
    const std::lock_guard lock(g_placesGuard);
    g_testPlaces = std::move(places);
    g_toldNone = false;
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
