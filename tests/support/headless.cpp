#include "tests/support/headless.h"

void HeadlessTest::SetUp()
{
    wndtest::StartHeadless();
    m_previousBoxes = SetMessageBoxPresenter(&m_boxes);
    m_previousShell = SetShellOpener(&m_shell);
    m_previousClock = SetClock(&m_clock);
}

void HeadlessTest::TearDown()
{
    wndtest::PumpMessages();
    SetClock(m_previousClock);
    SetShellOpener(m_previousShell);
    SetMessageBoxPresenter(m_previousBoxes);
}

// Fontconfig keeps its configuration for the life of the process and Qt never
// hands it back: not a leak of the program. Read by LeakSanitizer in
// sanitizer builds, ignored otherwise.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
