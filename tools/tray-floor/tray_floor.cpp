// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up benchmark's floor: a bare Qt program with one tray icon that
// ends as soon as the icon is shown. It ends the way the program's own exit
// does, at once, without returning from the event loop: returning would run
// the application object's teardown (Qt reads the font configuration there
// only to free it), work the program never does.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    QSystemTrayIcon icon{QIcon(pixmap)};
    icon.show();
    QTimer::singleShot(0, &app, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
    return QApplication::exec();
}
