// SPDX-License-Identifier: GPL-3.0-or-later
// The runner's hand-over between modal loops: a dialog opened by an action
// takes the next actions until it ends, then the window under it goes on, and
// the report says which dialog opened and closed in between. The program is
// a stand-in: a dialog that opens another on a click.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/testing.h"
#include "platform/wnd/vkeys.h"
#include "tests/support/test_dialogs.h"
#include "tools/kx-run/observer.h"
#include "tools/kx-run/report.h"
#include "tools/kx-run/runner.h"

namespace {

class COpenerDlg : public CDialog {
public:
    COpenerDlg() : CDialog(test_dialogs::kPlain) {}
    INT_PTR nestedResult = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnLButtonDown(UINT, CPoint)
    {
        CDialog nested(test_dialogs::Plain(1702), this);
        nestedResult = nested.DoModal();
    }
    static const CMessageMap kMessageMap;
};

const CMessageMap COpenerDlg::kMessageMap = {
    ON_WM_LBUTTONDOWN(&COpenerDlg::OnLButtonDown),
};

class RunnerModal : public ::testing::Test {
protected:
    void SetUp() override
    {
        wndtest::StartHeadless();
        m_out = std::tmpfile();
        ASSERT_NE(m_out, nullptr);
    }
    void TearDown() override
    {
        wndtest::PumpMessages();
        std::fclose(m_out);
    }

    // Runs the stand-in program through the script; returns the runner's exit status.
    int Run(std::string_view text)
    {
        const auto parsed = ParseScript(text);
        const Script& script = std::get<Script>(parsed);
        SimHid sim;
        CReport report(m_out);
        CRunObserver observer(report);
        IMessageBoxPresenter* const previous = SetMessageBoxPresenter(&observer);
        RunPlace place;
        place.program = [this]() {
            COpenerDlg main;
            const INT_PTR result = main.DoModal();
            m_programResult = static_cast<int>(result * 10 + main.nestedResult);
            return m_programResult;
        };
        int status = -1;
        {
            CScriptRunner runner(script, report, observer, sim, place);
            status = runner.Run();
        }
        SetMessageBoxPresenter(previous);
        return status;
    }

    std::string Report()
    {
        std::rewind(m_out);
        std::string text;
        char buffer[512];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, m_out)) {
            text.append(buffer, got);
        }
        return text;
    }

    std::FILE* m_out = nullptr;
    int m_programResult = -1;  // what the program returned, -1 while it has not
};

TEST_F(RunnerModal, ADialogOpenedByAnActionTakesTheNextActionsThenHandsBack)
{
    // Enter ends the inner dialog with IDOK, Esc the outer one with IDCANCEL.
    EXPECT_EQ(Run("start\nclick 20 20\nkey Enter\nkey Esc\n"), IDCANCEL * 10 + IDOK);
    EXPECT_EQ(Report(),
              "> start\n"
              "> click 20 20\n"
              "dialog 1702 opened\n"
              "> key Enter\n"
              "dialog 1702 closed, result 1\n"
              "> key Esc\n"
              "process end, exit code 21\n");
}

// The program is not cut off but ended: each open dialog is cancelled, the
// innermost first, and the program returns in its own way (so that its
// destructors run and the leak checker can look at the end), with nothing of
// that in the report.
TEST_F(RunnerModal, TheScriptMayEndWhileADialogIsOpen)
{
    EXPECT_EQ(Run("start\nclick 20 20\n"), 0);
    EXPECT_EQ(Report(), "> start\n> click 20 20\ndialog 1702 opened\n");
    EXPECT_EQ(m_programResult, IDCANCEL * 10 + IDCANCEL);
}

TEST_F(RunnerModal, LinesLeftWhenTheProgramEndsAreAFailure)
{
    EXPECT_EQ(Run("start\nkey Esc\nclick 20 20\n"), 3);
    EXPECT_EQ(Report(), "> start\n> key Esc\nprocess end, exit code 20\n");
}

}  // namespace
