#include "tests/support/headless.h"

void HeadlessTest::SetUp()
{
    wndtest::StartHeadless();
    m_previousBoxes = SetMessageBoxPresenter(&m_boxes);
    m_previousShell = SetShellOpener(&m_shell);
    m_previousClock = SetClock(&m_clock);
    m_previousUnscripted = wndtest::SetUnscriptedModalHandler([](UINT templateId) {
        ADD_FAILURE() << "modal dialog " << templateId << " came up with no scripted action to answer it";
    });
}

void HeadlessTest::TearDown()
{
    wndtest::PumpMessages();
    wndtest::SetUnscriptedModalHandler(std::move(m_previousUnscripted));
    SetClock(m_previousClock);
    SetShellOpener(m_previousShell);
    SetMessageBoxPresenter(m_previousBoxes);
}
