// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/process.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {

std::atomic<ExitProcessHook> g_hook{nullptr};

}  // namespace

void SetExitProcessHookForTesting(ExitProcessHook hook) { g_hook = hook; }

void ExitProcess(UINT exitCode)
{
    if (const ExitProcessHook hook = g_hook) {
        hook(exitCode);
    }
    std::fflush(nullptr);
    ::_exit(static_cast<int>(exitCode));
}
