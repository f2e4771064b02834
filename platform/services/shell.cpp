// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/str_conv.h"

extern char** environ;

namespace {

constexpr std::intptr_t kSuccess = 42;
constexpr std::intptr_t kFileNotFound = 2;
constexpr std::intptr_t kAccessDenied = 5;
constexpr std::intptr_t kNoAssociation = 31;

HINSTANCE Result(std::intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

// Hands the address to xdg-open through a short-lived shell that starts it in
// the background, so the browser never becomes a child this process would
// have to wait for. The address travels as an argument, never as shell text.
class CDesktopOpener final : public IShellOpener {
public:
    bool Open(std::u16string_view target) override
    {
        const std::string address = Utf16ToUtf8(target);
        char shell[] = "/bin/sh";
        char flag[] = "-c";
        char script[] = "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &";
        char name[] = "kx-open";
        std::string argument = address;
        char* argv[] = {shell, flag, script, name, argument.data(), nullptr};
        pid_t child = 0;
        if (::posix_spawn(&child, shell, nullptr, nullptr, argv, environ) != 0) {
            return false;
        }
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

CDesktopOpener g_desktopOpener;
IShellOpener* g_opener = nullptr;

}  // namespace

IShellOpener* SetShellOpener(IShellOpener* opener)
{
    IShellOpener* previous = g_opener;
    g_opener = opener;
    return previous;
}

HINSTANCE ShellExecuteW(HWND /*window*/, const char16_t* operation, const char16_t* file,
                        const char16_t* /*parameters*/, const char16_t* /*directory*/, int /*showCommand*/)
{
    if (operation != nullptr && std::u16string_view(operation) != u"open") {
        return Result(kNoAssociation);
    }
    if (file == nullptr || *file == u'\0') {
        return Result(kFileNotFound);
    }
    IShellOpener& opener = g_opener ? *g_opener : g_desktopOpener;
    return Result(opener.Open(file) ? kSuccess : kAccessDenied);
}
