// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: starts the desktop's services, registers the main
// window's class, runs the main window modally (its loop is the program's
// only message loop) and shuts the services down again.

#include "platform/gdi/imaging_library.h"
#include "platform/wnd/cwinapp.h"

class CVantorApp : public CWinApp {
public:
    CVantorApp() = default;

    // Returns FALSE in every case: the program has ended when the main
    // window's modal loop returns, so the framework runs no loop of its own.
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    ULONG_PTR m_imagingToken = 0;
    ImagingStartupInput m_imagingStartupInput;
};
