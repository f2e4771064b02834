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

// Resource icons are loaded once and shared, as Windows shares them.
std::map<UINT, std::unique_ptr<QIcon>>& LoadedIcons()
{
    static std::map<UINT, std::unique_ptr<QIcon>> icons;
    return icons;
}

QString ExecutableFolder()
{
    char16_t path[4096] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return QFileInfo(QString::fromUtf16(path, length)).absolutePath();
}

std::unique_ptr<QIcon> LoadApplicationIcon()
{
    auto icon = std::make_unique<QIcon>();
    const QString folder = ExecutableFolder();
    for (int size : kIconSizes) {
        const QString file = QStringLiteral("%1/icons/kx-507-%2.png").arg(folder).arg(size);
        if (QFileInfo::exists(file)) {
            icon->addFile(file, QSize(size, size));
        }
    }
    return icon;
}

}  // namespace

HICON LoadIconW(UINT resourceId)
{
    if (resourceId != IDI_KX507) {
        return nullptr;
    }
    auto& icons = LoadedIcons();
    std::unique_ptr<QIcon>& icon = icons[resourceId];
    if (!icon) {
        icon = LoadApplicationIcon();
    }
    return reinterpret_cast<HICON>(icon.get());
}

namespace desktop {

QIcon IconOf(HICON icon)
{
    for (const auto& [id, loaded] : LoadedIcons()) {
        if (reinterpret_cast<HICON>(loaded.get()) == icon) {
            return *loaded;
        }
    }
    return QIcon();
}

}  // namespace desktop
