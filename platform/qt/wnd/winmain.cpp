// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QGuiApplication>

#include <memory>

#include "platform/qt/gdi/qt_font.h"
#include "platform/qt/wnd/accessible_host.h"
#include "platform/qt/wnd/desktop.h"
#include "platform/qt/wnd/end_session.h"
#include "platform/qt/wnd/msg_box_presenter.h"
#include "platform/qt/wnd/x11_window_class.h"
#include "platform/wnd/cwinapp.h"

void AfxSetDesktopEntryName(std::u16string_view name)
{
    // Qt gives a Wayland window this name for its app id.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
}

int AfxWinMain(int argc, char** argv)
{
    std::unique_ptr<QApplication> ownApp;
    if (QCoreApplication::instance() == nullptr) {
        ownApp = std::make_unique<QApplication>(argc, argv);
    }
    // Windows hide and show all the time; the program ends only when its
    // application object says so.
    QApplication::setQuitOnLastWindowClosed(false);
    desktop::InstallAccessibility();
    desktop::InstallX11WindowClass();
    // Log-out, kill and Ctrl+C end the program as its windows would.
    const CEndSessionWatch endSession;
    // Headless runs keep the recording presenter their driver installed.
    CQtMessageBoxPresenter presenter;
    IMessageBoxPresenter* const previous = desktop::Headless() ? nullptr : SetMessageBoxPresenter(&presenter);

    int exitCode = 0;
    const CFontWarmUp fonts;
    if (CWinApp* app = AfxGetApp()) {
        if (app->InitInstance()) {
            QApplication::exec();
        }
        exitCode = app->ExitInstance();
    }
    if (!desktop::Headless()) {
        SetMessageBoxPresenter(previous);
    }
    return exitCode;
}
