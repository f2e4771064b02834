// SPDX-License-Identifier: GPL-3.0-or-later
// The demo build's simulated mouse, kept in "kx507-demo-mouse.bin" in the
// user's run-time folder (322 bytes). A missing or damaged file gives the
// factory configuration, as a new mouse would.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/mouse_state.h"
#include "platform/services/files.h"
#include "platform/services/runtime_folder.h"
#include "platform/sim/sim_hid.h"
#include "platform/str_conv.h"

namespace {

std::u16string StatePath()
{
    const std::string folder = UserRuntimeFolder();
    return folder.empty() ? std::u16string() : Utf8ToUtf16(folder + "/kx507-demo-mouse.bin");
}

}  // namespace

void RestoreMouseState()
{
    const std::u16string path = StatePath();
    if (path.empty()) {
        return;
    }
    const auto bytes = ReadWholeFileW(path.c_str(), SimMouse::kConfigurationSize);
    if (!bytes || bytes->size() != SimMouse::kConfigurationSize) {
        return;
    }
    SimMouse::Configuration memory{};
    std::copy(bytes->begin(), bytes->end(), memory.begin());
    SimHid::Current().Mouse().SetMemory(memory);
}

void KeepMouseState()
{
    const std::u16string path = StatePath();
    const auto& memory = SimHid::Current().Mouse().Memory();
    const std::string_view content(reinterpret_cast<const char*>(memory.data()), memory.size());
    if (path.empty() || !SaveWholeFileW(path.c_str(), content, FileCreation::CreateIfMissing)) {
        std::fputs("kx-507-ctl-demo: the simulated mouse's memory could not be kept for the next run\n", stderr);
    }
}
