// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QIcon>

#include <array>
#include <map>
#include <memory>

#include "platform/module.h"
#include "platform/qt/wnd/desktop.h"
#include "platform/wnd/icon.h"

namespace {

// The sizes the icon is drawn in, each a file beside the executable.
constexpr std::array kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The file names each registered icon is drawn from.
std::map<UINT, QString>& IconFileNames()
{
    static std::map<UINT, QString> names;
    return names;
}

struct LoadedIcon {
    std::unique_ptr<QIcon> icon;
    QString largestFile;  // what a notification names the icon by
};

// Icons are loaded once and shared, as Windows shares resource icons; by
// their files, so a handle stays good when its id is given other files.
std::map<QString, LoadedIcon>& LoadedIcons()
{
    static std::map<QString, LoadedIcon> icons;
    return icons;
}

QString ExecutableFolder()
{
    char16_t path[4096] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return QFileInfo(QString::fromUtf16(path, length)).absolutePath();
}

LoadedIcon LoadIconFiles(const QString& name)
{
    LoadedIcon loaded{std::make_unique<QIcon>(), QString()};
    const QString folder = ExecutableFolder();
    for (int size : kIconSizes) {
        const QString file = QStringLiteral("%1/icons/%2-%3.png").arg(folder, name).arg(size);
        if (QFileInfo::exists(file)) {
            loaded.icon->addFile(file, QSize(size, size));
            loaded.largestFile = file;
        }
    }
    return loaded;
}

const LoadedIcon* Loaded(HICON icon)
{
    for (const auto& [name, loaded] : LoadedIcons()) {
        if (reinterpret_cast<HICON>(loaded.icon.get()) == icon) {
            return &loaded;
        }
    }
    return nullptr;
}

}  // namespace

void RegisterIconFiles(UINT resourceId, std::u16string_view name)
{
    IconFileNames()[resourceId] = QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

HICON LoadIconW(UINT resourceId)
{
    const auto name = IconFileNames().find(resourceId);
    if (name == IconFileNames().end()) {
        return nullptr;
    }
    LoadedIcon& loaded = LoadedIcons()[name->second];
    if (!loaded.icon) {
        loaded = LoadIconFiles(name->second);
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
