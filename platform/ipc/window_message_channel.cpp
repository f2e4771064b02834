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

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

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
    sockaddr_un address{};
    const std::string path = WindowMessageSocketPath(windowClass);
    if (!FillAddress(path, address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const int on = 1;
    ::unlink(path.c_str());
    if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
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
    sockaddr_un address{};
    if (!FillAddress(WindowMessageSocketPath(windowClass), address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const std::string datagram = EncodeWindowMessage(message);
    const ssize_t sent = ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&address),
                                  sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(datagram.size());
}
