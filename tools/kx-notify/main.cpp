// SPDX-License-Identifier: GPL-3.0-or-later
// Sends the running KX-507 program a notification (code, detail), as another
// program on the same desktop would: the program shows the matching balloon.
//
//   kx-notify CODE [DETAIL]

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "tray/instance_channel.h"
#include "tray/notifications.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/winuser.h"

namespace {

constexpr const char16_t* kWindowClass = kMainWindowClass;

void PrintUsage(std::FILE* out)
{
    std::fputs(
        "usage: kx-notify CODE [DETAIL]\n"
        "Sends the running KX-507 program its notification message with CODE and\n"
        "DETAIL (default 0), as another program of the same user may.\n"
        "  5  report rate   (detail 1, 2, 4 or 8)\n"
        "  7  DPI stage     (detail 1 to 4)\n"
        "  8  key matrix    (detail 1 or 2)\n"
        "  9  macro key     (detail any number but 0)\n"
        " 14  mouse found\n"
        " 15  mouse not found\n"
        "Exit status: 0 sent, 1 no program running, 2 bad arguments.\n",
        out);
}

bool ParseInt(const char* text, long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return 0;
    }
    long code = 0;
    long detail = 0;
    if (argc < 2 || argc > 3 || !ParseInt(argv[1], code) || code < 0 || (argc == 3 && !ParseInt(argv[2], detail))) {
        PrintUsage(stderr);
        return 2;
    }
    const WindowMessage message{kNotificationMessage, static_cast<WPARAM>(code), static_cast<LPARAM>(detail)};
    if (!SendWindowClassMessage(kWindowClass, message)) {
        std::fputs("kx-notify: the KX-507 program is not running\n", stderr);
        return 1;
    }
    return 0;
}
