// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up benchmark's floor: a bare Qt program with one tray icon that
// quits as soon as the icon is shown.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    QSystemTrayIcon icon{QIcon(pixmap)};
    icon.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
