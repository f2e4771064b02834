// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A local channel through which other programs of the same user send a window
// message to the running program's window of a given class, as any program may
// post to a window it finds by class name on Windows. The socket lives in a
// folder only the user can enter, and each datagram's sender credentials are
// checked again, so other users cannot reach it. Anything malformed is dropped.

#include <functional>
#include <optional>
#include <string>

#include "platform/windef.h"

struct WindowMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The datagram as it travels: a magic tag, then the message number, wParam and
// lParam as 32-bit little-endian values (lParam signed), 16 bytes in all.
// Stray writes of any other size or tag are recognised and dropped.
inline constexpr std::size_t kWindowMessageDatagramSize = 16;

// Encodes and decodes the datagram; Decode returns nothing for anything that
// is not exactly one well-formed datagram.
std::string EncodeWindowMessage(const WindowMessage& message);
std::optional<WindowMessage> DecodeWindowMessage(std::string_view datagram);

// The socket path of a window class for the current user: in $XDG_RUNTIME_DIR
// when it is usable, otherwise in a private folder below /tmp.
std::string WindowMessageSocketPath(const std::u16string& windowClass);

class CWindowMessageChannel {
public:
    using Handler = std::function<void(const WindowMessage&)>;

    CWindowMessageChannel() = default;
    CWindowMessageChannel(const CWindowMessageChannel&) = delete;
    CWindowMessageChannel& operator=(const CWindowMessageChannel&) = delete;
    ~CWindowMessageChannel();

    // Starts listening for the class; the handler runs for each well-formed
    // datagram of the same user. Only the one running instance listens, so an
    // old socket file left by a crash is replaced.
    bool Listen(const std::u16string& windowClass, Handler handler);
    // Has the program's message loop call ReceivePending whenever a datagram
    // waits (kept apart so that tests can drive the channel without a loop).
    void AttachToMessageLoop();
    void Close();

    // Reads every datagram waiting on the socket.
    void ReceivePending();

    int Fd() const { return m_fd; }

private:
    int m_fd = -1;
    std::function<void()> m_detach;  // ends the message loop's watch, when attached
    std::string m_path;
    Handler m_handler;
};

// Sends one message to the running program's window of that class. Returns
// false when no program listens.
bool SendWindowClassMessage(const std::u16string& windowClass, const WindowMessage& message);
