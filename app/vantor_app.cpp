// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vantor_app.h"

#include <memory>

#include "tray/instance_channel.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/wnd/wnd_class.h"

BOOL CVantorApp::InitInstance()
{
    INITCOMMONCONTROLSEX commonControls;
    commonControls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&commonControls);

    CWinApp::InitInstance();

    // The main window is a system dialog under the class name that other
    // programs find it by.
    WNDCLASSW windowClass;
    GetClassInfoW(nullptr, u"#32770", &windowClass);
    windowClass.lpszClassName = kMainWindowClass;
    if (!AfxRegisterClass(&windowClass)) {
        return FALSE;
    }

    ImagingStartup(&m_imagingToken, &m_imagingStartupInput);

    auto dialog = std::make_unique<CVantorDlg>();
    m_pMainWnd = dialog.get();
    dialog->DoModal();
    m_pMainWnd = nullptr;
    dialog.reset();
    return FALSE;
}

int CVantorApp::ExitInstance()
{
    ImagingShutdown(m_imagingToken);
    m_imagingToken = 0;
    return CWinApp::ExitInstance();
}
