// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/user_config_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/services/runtime_folder.h"

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// Makes every missing folder of an absolute path, each with mode 0700 as the
// base-directory rules ask; folders already there are left as they are.
void MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
    ::mkdir(path.c_str(), 0700);
}

// `xdgValue` when absolute, else <home>/`below`.
std::string BaseFolder(const char* xdgValue, const char* home, const char* below)
{
    if (IsAbsolute(xdgValue)) {
        return xdgValue;
    }
    std::string base = IsAbsolute(home) ? std::string(home) : UserHomeFolder();
    if (base.empty() || base.front() != '/') {
        return {};
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return (base == "/" ? std::string() : base) + below;
}

}  // namespace

std::string UserConfigHome(const char* xdgConfigHome, const char* home)
{
    return BaseFolder(xdgConfigHome, home, "/.config");
}

std::string UserConfigHome() { return UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::string UserStateHome(const char* xdgStateHome, const char* home)
{
    return BaseFolder(xdgStateHome, home, "/.local/state");
}

std::string UserStateHome() { return UserStateHome(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")); }

bool FolderDeniesWriting(const std::string& folder)
{
    if (folder.empty() || ::access(folder.c_str(), W_OK | X_OK) == 0) {
        return false;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

std::string UserOwnFolderBelow(const std::string& configHome, const std::string& name)
{
    if (configHome.empty() || configHome.front() != '/' || name.empty() || name.find('/') != std::string::npos ||
        name == "." || name == "..") {
        return {};
    }
    MakeFolders(configHome);
    if (!IsUsersOwnFolder(configHome)) {
        return {};
    }
    const std::string folder = configHome + "/" + name;
    ::mkdir(folder.c_str(), 0700);
    return IsUsersOwnFolder(folder) ? folder : std::string();
}
