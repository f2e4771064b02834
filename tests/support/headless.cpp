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
