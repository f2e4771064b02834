// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/exe_path.h"

#include <array>
#include <utility>

#include "platform/module.h"

namespace {

std::optional<std::u16string>& ModulePathOverride()
{
    static std::optional<std::u16string> path;
    return path;
}

}  // namespace

void SetModulePathForTesting(std::optional<std::u16string> path) { ModulePathOverride() = std::move(path); }

std::u16string ModulePath()
{
    if (const auto& chosen = ModulePathOverride()) {
        return *chosen;
    }
    std::array<char16_t, kModulePathCapacity> buffer{};
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::u16string(buffer.data(), length);
}

int ReplaceExeName(std::u16string& path, std::u16string_view name)
{
    int replaced = 0;
    std::size_t at = path.find(kExeName);
    while (at != std::u16string::npos) {
        path.replace(at, kExeName.size(), name);
        ++replaced;
        at = path.find(kExeName, at + name.size());
    }
    return replaced;
}

std::u16string PathBesideExe(std::u16string_view modulePath, std::u16string_view name)
{
    std::u16string path(modulePath);
    if (ReplaceExeName(path, name) > 0) {
        return path;
    }
    const std::size_t slash = modulePath.find_last_of(u'/');
    // A module path without a folder (it could not be read) leaves the current folder.
    std::u16string_view folder = slash == std::u16string_view::npos ? u"." : modulePath.substr(0, slash + 1);
    while (!folder.empty() && folder.back() == u'/') {
        folder.remove_suffix(1);
    }
    while (!name.empty() && name.front() == u'/') {
        name.remove_prefix(1);
    }
    std::u16string beside(folder);
    beside += u'/';
    beside += name;
    return beside;
}

std::u16string PathBesideExe(std::u16string_view name) { return PathBesideExe(ModulePath(), name); }
