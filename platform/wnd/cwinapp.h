#pragma once
// The application object. AfxWinMain starts the desktop, runs InitInstance
// (which runs the main window modally: that dialog's loop is the program's
// only message loop) and, when InitInstance returns FALSE, ExitInstance,
// whose result is the process's exit code.

#include "platform/windef.h"
#include "platform/wnd/icon.h"

class CWnd;

class CWinApp {
public:
    // The one application object registers itself here.
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT resourceId) const { return LoadIconW(resourceId); }

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// The program's entry: main() returns what this returns.
int AfxWinMain(int argc, char** argv);
