// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ipc/window_message_channel.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/services/runtime_folder.h"

namespace {

constexpr std::array<char, 4> kMagic = {'K', 'X', 'W', 'M'};

void PutU32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

std::uint32_t GetU32(std::string_view in, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    }
    return v;
}

// The address of a socket file. A path too long for an address (108 bytes
// with its terminator) is reached through its folder instead, as
// /proc/self/fd/N/NAME with N an open descriptor of the folder, which is short
// whatever the folder's own path.
class CSocketAddress {
public:
    explicit CSocketAddress(const std::string& path)
    {
        m_address.sun_family = AF_UNIX;
        if (path.empty()) {
            return;
        }
        std::string reachable = path;
        if (path.size() >= sizeof m_address.sun_path) {
            const std::size_t slash = path.find_last_of('/');
            m_folder = slash == std::string::npos
                           ? -1
                           : ::open(path.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_folder < 0) {
                return;
            }
            reachable = "/proc/self/fd/" + std::to_string(m_folder) + path.substr(slash);
        }
        if (reachable.size() < sizeof m_address.sun_path) {
            std::memcpy(m_address.sun_path, reachable.c_str(), reachable.size() + 1);
            m_valid = true;
        }
    }
    ~CSocketAddress()
    {
        if (m_folder >= 0) {
            ::close(m_folder);
        }
    }
    CSocketAddress(const CSocketAddress&) = delete;
    CSocketAddress& operator=(const CSocketAddress&) = delete;

    bool Valid() const { return m_valid; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&m_address); }
    socklen_t Size() const { return sizeof m_address; }

private:
    sockaddr_un m_address{};
    int m_folder = -1;
    bool m_valid = false;
};

}  // namespace

std::string EncodeWindowMessage(const WindowMessage& message)
{
    std::string out(kMagic.begin(), kMagic.end());
    PutU32(out, message.message);
    PutU32(out, static_cast<std::uint32_t>(message.wParam));
    PutU32(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(message.lParam)));
    return out;
}

std::optional<WindowMessage> DecodeWindowMessage(std::string_view datagram)
{
    if (datagram.size() != kWindowMessageDatagramSize ||
        std::memcmp(datagram.data(), kMagic.data(), kMagic.size()) != 0) {
        return std::nullopt;
    }
    WindowMessage message;
    message.message = GetU32(datagram, 4);
    message.wParam = GetU32(datagram, 8);
    message.lParam = static_cast<std::int32_t>(GetU32(datagram, 12));
    return message;
}

std::string WindowMessageSocketPath(const std::u16string& windowClass)
{
    const std::string folder = UserRuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + SafeFileName(windowClass) + ".sock";
}

CWindowMessageChannel::~CWindowMessageChannel() { Close(); }

bool CWindowMessageChannel::Listen(const std::u16string& windowClass, Handler handler)
{
    Close();
    const std::string path = WindowMessageSocketPath(windowClass);
    const CSocketAddress address(path);
    if (!address.Valid()) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const int on = 1;
    ::unlink(path.c_str());
    if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0 ||
        ::bind(fd, address.Get(), address.Size()) != 0) {
        ::close(fd);
        return false;
    }
    ::chmod(path.c_str(), 0600);
    m_fd = fd;
    m_path = path;
    m_handler = std::move(handler);
    return true;
}

void CWindowMessageChannel::Close()
{
    if (m_detach) {
        m_detach();
        m_detach = nullptr;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_path.c_str());
        m_fd = -1;
    }
}

void CWindowMessageChannel::ReceivePending()
{
    if (m_fd < 0) {
        return;
    }
    for (;;) {
        // One byte more than a datagram, so that an oversized one is seen as such.
        std::array<char, kWindowMessageDatagramSize + 1> buffer{};
        iovec io{buffer.data(), buffer.size()};
        alignas(cmsghdr) std::array<char, CMSG_SPACE(sizeof(ucred))> control{};
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        header.msg_control = control.data();
        header.msg_controllen = control.size();
        const ssize_t received = ::recvmsg(m_fd, &header, MSG_DONTWAIT);
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        const cmsghdr* cmsg = CMSG_FIRSTHDR(&header);
        const bool fromUser = cmsg && cmsg->cmsg_level == SOL_SOCKET && cmsg->cmsg_type == SCM_CREDENTIALS &&
                              reinterpret_cast<const ucred*>(CMSG_DATA(cmsg))->uid == ::getuid();
        const bool truncated = (header.msg_flags & MSG_TRUNC) != 0;
        if (!fromUser || truncated) {
            continue;
        }
        if (auto message = DecodeWindowMessage(std::string_view(buffer.data(), static_cast<std::size_t>(received)));
            message && m_handler) {
            m_handler(*message);
        }
    }
}

bool SendWindowClassMessage(const std::u16string& windowClass, const WindowMessage& message)
{
    const CSocketAddress address(WindowMessageSocketPath(windowClass));
    if (!address.Valid()) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const std::string datagram = EncodeWindowMessage(message);
    const ssize_t sent = ::sendto(fd, datagram.data(), datagram.size(), 0, address.Get(), address.Size());
    ::close(fd);
    return sent == static_cast<ssize_t>(datagram.size());
}
