// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QIcon>

#include <array>
#include <map>
#include <memory>

#include "platform/module.h"
#include "platform/qt/wnd/desktop.h"
#include "platform/str_conv.h"
#include "platform/wnd/icon.h"

namespace {

// The sizes the icon is drawn in, each a file beside the executable.
constexpr std::array kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

struct LoadedIcon {
    std::unique_ptr<QIcon> icon;
    QString largestFile;  // what a notification names the icon by
};

// Resource icons are loaded once and shared, as Windows shares them.
std::map<UINT, LoadedIcon>& LoadedIcons()
{
    static std::map<UINT, LoadedIcon> icons;
    return icons;
}

QString ExecutableFolder()
{
    char16_t path[4096] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return QFileInfo(QString::fromUtf16(path, length)).absolutePath();
}

LoadedIcon LoadApplicationIcon()
{
    LoadedIcon loaded{std::make_unique<QIcon>(), QString()};
    const QString folder = ExecutableFolder();
    for (int size : kIconSizes) {
        const QString file = QStringLiteral("%1/icons/kx-507-%2.png").arg(folder).arg(size);
        if (QFileInfo::exists(file)) {
            loaded.icon->addFile(file, QSize(size, size));
            loaded.largestFile = file;
        }
    }
    return loaded;
}

const LoadedIcon* Loaded(HICON icon)
{
    for (const auto& [id, loaded] : LoadedIcons()) {
        if (reinterpret_cast<HICON>(loaded.icon.get()) == icon) {
            return &loaded;
        }
    }
    return nullptr;
}

}  // namespace

HICON LoadIconW(UINT resourceId)
{
    if (resourceId != IDI_KX507) {
        return nullptr;
    }
    LoadedIcon& loaded = LoadedIcons()[resourceId];
    if (!loaded.icon) {
        loaded = LoadApplicationIcon();
    }
    return reinterpret_cast<HICON>(loaded.icon.get());
}

namespace desktop {

QIcon IconOf(HICON icon)
{
    const LoadedIcon* loaded = Loaded(icon);
    return loaded != nullptr ? *loaded->icon : QIcon();
}

QString IconFileOf(HICON icon)
{
    const LoadedIcon* loaded = Loaded(icon);
    return loaded != nullptr ? loaded->largestFile : QString();
}

}  // namespace desktop
