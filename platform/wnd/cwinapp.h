// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object. AfxWinMain starts the desktop, runs InitInstance
// (which runs the main window modally: that dialog's loop is the program's
// only message loop) and, when InitInstance returns FALSE, ExitInstance,
// whose result is the process's exit code.

#include <string_view>

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

// The name of the program's desktop entry, without ".desktop": the app id of
// its windows and the entry its desktop notifications name, so that a shell
// matches both to the menu entry and its icon. Set before AfxWinMain.
void AfxSetDesktopEntryName(std::u16string_view name);
