// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include "app/vantor_app.h"
#include "platform/wnd/cwinapp.h"

int RunVantorProgram()
{
    // The desktop is handed a fixed command line, so that no option the user
    // types reaches it: the program has none.
    static int argc = 1;
    static char name[] = "KX-507";
    static char* argv[] = {name, nullptr};
    // The menu entry's name, which the desktop matches windows and
    // notifications to.
    AfxSetDesktopEntryName(u"kx-507");
    CVantorApp app;
    return AfxWinMain(argc, argv);
}
