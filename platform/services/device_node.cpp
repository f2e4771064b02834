// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/device_node.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kAclAttribute = "system.posix_acl_access";
// An access list that only restates the mode holds its three base entries
// (4-byte header, 8 bytes each); anything longer names users or groups.
constexpr ssize_t kBaseAclBytes = 4 + 3 * 8;

std::string UserName(uid_t uid)
{
    const passwd* entry = getpwuid(uid);
    return entry ? entry->pw_name : std::to_string(uid);
}

std::string GroupName(gid_t gid)
{
    const group* entry = getgrgid(gid);
    return entry ? entry->gr_name : std::to_string(gid);
}

// The same node, or another node of the same character device (a copy of
// /dev in a container, say).
bool SameFile(const struct stat& a, const struct stat& b)
{
    if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) {
        return true;
    }
    return S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode) && a.st_rdev == b.st_rdev;
}

std::string CommandName(const std::filesystem::path& process)
{
    std::ifstream in(process / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// Every process whose open files /proc lets this user see; other users'
// stay hidden unless this is root. An open file outside /dev is looked at
// further only when its link names a file of the node's name: a stat on any
// other could wait on a network file system that no longer answers. Device
// nodes, sockets and pipes ("socket:[…]") cost nothing to ask.
std::vector<DeviceNodeHolder> Holders(const std::filesystem::path& path, const struct stat& node)
{
    const std::string nodeName = path.filename().string();
    std::vector<DeviceNodeHolder> holders;
    const int self = static_cast<int>(getpid());
    std::error_code ec;
    for (std::filesystem::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos || std::stoi(name) == self) {
            continue;
        }
        std::error_code fdError;
        for (std::filesystem::directory_iterator fd(it->path() / "fd", fdError); !fdError && fd != end;
             fd.increment(fdError)) {
            char text[4096];
            const ssize_t length = readlink(fd->path().c_str(), text, sizeof text - 1);
            const std::filesystem::path link(std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0));
            const bool fileOfFileSystem = link.is_absolute() && !link.string().starts_with("/dev/");
            if (length <= 0 || (fileOfFileSystem && link.filename() != nodeName)) {
                continue;
            }
            struct stat target {};
            if (stat(fd->path().c_str(), &target) == 0 && SameFile(node, target)) {
                holders.push_back({std::stoi(name), CommandName(it->path())});
                break;
            }
        }
    }
    return holders;
}

}  // namespace

DeviceNodeStatus InspectDeviceNode(const std::string& path)
{
    DeviceNodeStatus status;
    struct stat node {};
    if (stat(path.c_str(), &node) != 0) {
        status.openError = errno;
        return status;
    }
    status.exists = true;
    status.mode = node.st_mode & 07777;
    status.owner = UserName(node.st_uid);
    status.group = GroupName(node.st_gid);
    status.hasAcl = getxattr(path.c_str(), kAclAttribute, nullptr, 0) > kBaseAclBytes;
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        status.openError = errno;
    } else {
        close(fd);
    }
    status.holders = Holders(path, node);
    return status;
}

std::string ErrorText(int error) { return std::strerror(error); }
