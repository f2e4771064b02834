// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QIcon>
#include <QIconEngine>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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

// An icon from files, which reads them when it is first drawn or asked about
// rather than when it is made: a program that starts in the tray of a session
// without one never reads them. Every answer is the answer of the icon the
// files make.
class CIconFilesEngine final : public QIconEngine {
public:
    using Files = std::vector<std::pair<QString, int>>;  // file, size

    explicit CIconFilesEngine(Files files) : m_files(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    // Asked as the icon is set on a window: answered by the files found until
    // they have been read, since every file beside the program is a picture.
    bool isNull() override { return m_icon ? m_icon->isNull() : m_files.empty(); }
    QString key() const override { return QStringLiteral("kx-icon-files"); }
    QIconEngine* clone() const override { return new CIconFilesEngine(*this); }

private:
    CIconFilesEngine(const CIconFilesEngine&) = default;

    const QIcon& Icon()
    {
        if (!m_icon) {
            m_icon.emplace();
            for (const auto& [file, size] : m_files) {
                m_icon->addFile(file, QSize(size, size));
            }
        }
        return *m_icon;
    }

    Files m_files;
    std::optional<QIcon> m_icon;
};

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
    const QString folder = ExecutableFolder();
    CIconFilesEngine::Files files;
    QString largestFile;
    for (int size : kIconSizes) {
        const QString file = QStringLiteral("%1/icons/%2-%3.png").arg(folder, name).arg(size);
        if (QFileInfo::exists(file)) {
            files.emplace_back(file, size);
            largestFile = file;
        }
    }
    return {std::make_unique<QIcon>(new CIconFilesEngine(std::move(files))), largestFile};
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
