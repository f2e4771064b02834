// SPDX-License-Identifier: GPL-3.0-or-later
// Modal dialogs, the dialog keys, templates, start-up hiding on the first
// non-client paints, painting through the window's surface.

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/dc.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/cwinapp.h"
#include "platform/wnd/vkeys.h"
#include "platform/wnd/wnd_class.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class CPlainDlg : public CDialog {
public:
    explicit CPlainDlg(const DialogTemplate& dialogTemplate = test_dialogs::kPlain, CWnd* parent = nullptr)
        : CDialog(dialogTemplate, parent)
    {
    }
    // A dialog on whatever template is registered under id, if any.
    explicit CPlainDlg(UINT id) : CDialog(id) {}
};

// Hides itself on its first two non-client paints, as the main window does.
class CStartsHiddenDlg : public CDialog {
public:
    CStartsHiddenDlg() : CDialog(test_dialogs::kClassed) {}
    int hideCount = 2;
    int defaultNcPaints = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnNcPaint()
    {
        if (hideCount > 0) {
            --hideCount;
            ShowWindow(SW_HIDE);
            return;
        }
        ++defaultNcPaints;
        CDialog::OnNcPaint();
    }
    static const CMessageMap kMessageMap;
};

const CMessageMap CStartsHiddenDlg::kMessageMap = {
    ON_WM_NCPAINT(&CStartsHiddenDlg::OnNcPaint),
};

// Paints its background red and ends with IDOK on a click.
class CPaintingDlg : public CDialog {
public:
    CPaintingDlg() : CDialog(test_dialogs::kPlain) {}
    int paints = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    BOOL OnEraseBkgnd(CDC* dc)
    {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(client, kRed);
        return TRUE;
    }
    void OnPaint() { ++paints; }
    void OnLButtonDown(UINT, CPoint) { EndDialog(static_cast<int>(IDOK)); }
    static const CMessageMap kMessageMap;
};

const CMessageMap CPaintingDlg::kMessageMap = {
    ON_WM_ERASEBKGND(&CPaintingDlg::OnEraseBkgnd),
    ON_WM_PAINT(&CPaintingDlg::OnPaint),
    ON_WM_LBUTTONDOWN(&CPaintingDlg::OnLButtonDown),
};

class CHelpDlg : public CDialog {
public:
    CHelpDlg() : CDialog(test_dialogs::kPlain) {}
    int helps = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    BOOL OnHelp(HELPINFO*)
    {
        ++helps;
        return TRUE;
    }
    static const CMessageMap kMessageMap;
};

const CMessageMap CHelpDlg::kMessageMap = {
    ON_WM_HELPINFO(&CHelpDlg::OnHelp),
};

void RegisterMainClass()
{
    WNDCLASSW info;
    ASSERT_TRUE(GetClassInfoW(nullptr, u"#32770", &info));
    info.lpszClassName = test_dialogs::kClassName;
    ASSERT_TRUE(AfxRegisterClass(&info));
}

using DialogTest = HeadlessTest;

TEST_F(DialogTest, DoModalReturnsTheEndDialogCode)
{
    CPlainDlg dlg;
    wndtest::QueueModalAction([&dlg](HWND window) {
        EXPECT_TRUE(IsWindowVisible(window));
        dlg.EndDialog(7);
    });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, ADialogRunningModallyIsNotRunASecondTimeOverItself)
{
    CPlainDlg dlg;
    INT_PTR nested = 0;
    wndtest::QueueModalAction([&dlg, &nested](HWND window) {
        nested = dlg.DoModal();
        EXPECT_EQ(dlg.m_hWnd, window);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(nested, -1);
}

TEST_F(DialogTest, EnterConfirmsEscapeAndCloseCancel)
{
    CPlainDlg dlg;
    wndtest::QueueModalAction([](HWND window) { wndtest::KeyPress(window, VK_RETURN); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    wndtest::QueueModalAction([](HWND window) { wndtest::KeyPress(window, VK_ESCAPE); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    wndtest::QueueModalAction([](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, F1AsksForHelpAndAltF4IsACloseRequest)
{
    CHelpDlg dlg;
    wndtest::QueueModalAction([&dlg](HWND window) {
        wndtest::KeyPress(window, VK_F1);
        EXPECT_EQ(dlg.helps, 1);
        wndtest::KeyDown(window, VK_MENU);
        wndtest::KeyPress(window, VK_F4);
        wndtest::KeyUp(window, VK_MENU);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, AClickHandledByTheDialogEndsIt)
{
    CPaintingDlg dlg;
    wndtest::QueueModalAction([](HWND window) { wndtest::Click(window, CPoint(200, 150)); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogTest, ADialogLeftOpenByTheScriptEndsWithMinusOneAndIsReported)
{
    std::vector<UINT> unscripted;
    auto failing = wndtest::SetUnscriptedModalHandler([&](UINT templateId) { unscripted.push_back(templateId); });
    CPlainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    wndtest::SetUnscriptedModalHandler(std::move(failing));
    EXPECT_EQ(unscripted, std::vector<UINT>{test_dialogs::kPlain.id});
}

TEST_F(DialogTest, UnknownTemplatesAndUnregisteredClassesFail)
{
    CPlainDlg unknown(UINT{1705});
    EXPECT_EQ(unknown.DoModal(), -1);
    if (!IsWindowClassRegistered(test_dialogs::kClassName)) {
        CStartsHiddenDlg main;
        EXPECT_EQ(main.DoModal(), -1);
    }
}

// Two pixels a dialog unit, unless the template fixes the pixels; a template
// registered again under its id is the one the next dialog is made from.
TEST_F(DialogTest, TemplatesGiveTheClientSizes)
{
    RegisterMainClass();
    const std::pair<DialogTemplate, CSize> expected[] = {
        {test_dialogs::kPlain, {400, 300}},
        {test_dialogs::Plain(1703, 150, 100), {300, 200}},
        {test_dialogs::Plain(1703, 151, 99), {302, 198}},
    };
    for (const auto& [dialogTemplate, size] : expected) {
        CPlainDlg dlg(dialogTemplate);
        ASSERT_TRUE(dlg.Create(dialogTemplate.id)) << dialogTemplate.widthDlu;
        CRect client;
        dlg.GetClientRect(&client);
        EXPECT_EQ(client.Size(), size) << dialogTemplate.widthDlu;
        CPlainDlg again(dialogTemplate.id);
        ASSERT_TRUE(again.Create(dialogTemplate.id));
        again.GetClientRect(&client);
        EXPECT_EQ(client.Size(), size) << "found again under " << dialogTemplate.id;
    }
    CStartsHiddenDlg main;
    ASSERT_TRUE(main.Create(test_dialogs::kClassed.id));
    CRect client;
    main.GetClientRect(&client);
    // Exactly the fixed size, not the 760 x 630 of its dialog units.
    EXPECT_EQ(client.Size(), CSize(752, 647));
}

TEST_F(DialogTest, AWindowRunAtStartUpHidesOnItsFirstTwoNonClientPaints)
{
    RegisterMainClass();
    CStartsHiddenDlg main;
    wndtest::QueueModalAction([&main](HWND window) {
        EXPECT_EQ(main.hideCount, 0);
        EXPECT_FALSE(IsWindowVisible(window));
        // Shown later (from the tray): default non-client painting, stays up.
        ShowWindow(window, SW_SHOW);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_GT(main.defaultNcPaints, 0);
        main.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, AModalDialogDisablesAndCentresOverItsOwner)
{
    CPlainDlg owner(test_dialogs::Plain(1704, 150, 100));
    CPlainDlg inner(test_dialogs::Plain(1702), &owner);
    wndtest::QueueModalAction([&](HWND) {
        wndtest::QueueModalAction([&](HWND window) {
            EXPECT_FALSE(owner.IsWindowEnabled());
            CRect outerRect;
            CRect innerRect;
            owner.GetWindowRect(&outerRect);
            inner.GetWindowRect(&innerRect);
            EXPECT_EQ(innerRect.left + innerRect.Width() / 2, outerRect.left + outerRect.Width() / 2);
            EXPECT_EQ(innerRect.top + innerRect.Height() / 2, outerRect.top + outerRect.Height() / 2);
            wndtest::KeyPress(window, VK_RETURN);
        });
        EXPECT_EQ(inner.DoModal(), IDOK);
        EXPECT_TRUE(owner.IsWindowEnabled());
        owner.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(owner.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ShowingPaintsTheSurfaceThroughEraseAndPaint)
{
    CPaintingDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    dlg.ShowWindow(SW_SHOW);
    wndtest::PumpMessages();
    EXPECT_EQ(dlg.paints, 1);
    EXPECT_EQ(wndtest::WindowPixel(dlg, CPoint(5, 5)), kRed);

    CDC* dc = dlg.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(dlg.ReleaseDC(dc), 1);
    EXPECT_EQ(wndtest::WindowPixel(dlg, CPoint(5, 5)), RGB(0, 0, 255));
    EXPECT_EQ(wndtest::WindowPixel(dlg, CPoint(15, 15)), kRed);
}

// A caption press hands the move to the window manager only once the pointer
// has gone past the drag distance with the button held: a quick click must
// not leave the window following the pointer.
TEST_F(DialogTest, ACaptionPressMovesTheWindowOnlyWhenThePointerMovesWithTheButtonHeld)
{
    CPlainDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    dlg.ShowWindow(SW_SHOW);
    const CPoint at(30, 40);
    const auto captionPress = [&] {
        dlg.PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        wndtest::PumpMessages();
    };
    const int before = wndtest::SystemMovesStarted();

    captionPress();  // no button down at all
    wndtest::MouseDown(dlg, at);
    captionPress();
    wndtest::MouseUp(dlg, at);
    wndtest::MouseMove(dlg, CPoint(90, 90));
    EXPECT_EQ(wndtest::SystemMovesStarted(), before) << "a click, then a move without the button";

    wndtest::MouseDown(dlg, at);
    captionPress();
    wndtest::MouseMove(dlg, CPoint(31, 40));
    EXPECT_EQ(wndtest::SystemMovesStarted(), before) << "a move of one pixel";
    wndtest::MouseMove(dlg, CPoint(90, 90));
    EXPECT_EQ(wndtest::SystemMovesStarted(), before + 1);
    wndtest::MouseMove(dlg, CPoint(120, 120));
    wndtest::MouseUp(dlg, CPoint(120, 120));
    EXPECT_EQ(wndtest::SystemMovesStarted(), before + 1) << "one move per press";

    // The pointer went far before the queued caption press was handled.
    wndtest::MouseDown(dlg, at);
    wndtest::MouseMove(dlg, CPoint(90, 90));
    captionPress();
    wndtest::MouseUp(dlg, CPoint(90, 90));
    EXPECT_EQ(wndtest::SystemMovesStarted(), before + 2);
}

// Runs its main window modally in InitInstance and exits with its result.
class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CPlainDlg main(test_dialogs::Plain(1704, 150, 100));
        m_pMainWnd = &main;
        wndtest::QueueModalAction([](HWND window) { wndtest::KeyPress(window, VK_ESCAPE); });
        m_result = static_cast<int>(main.DoModal());
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int ExitInstance() override { return m_result + 40; }

private:
    int m_result = 0;
};

TEST_F(DialogTest, TheApplicationRunsItsMainWindowAndExitsWithExitInstancesCode)
{
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    char name[] = "KX-507";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 40 + static_cast<int>(IDCANCEL));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(DialogTest, StyleAndIconsAreKept)
{
    CPlainDlg dlg;
    ASSERT_TRUE(dlg.Create(test_dialogs::kPlain.id));
    const HICON icon = test_dialogs::LoadTestIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconW(test_dialogs::kIconId), icon) << "loaded once and shared";
    EXPECT_EQ(LoadIconW(1), nullptr) << "no files registered";
    if (AfxGetApp() != nullptr) {
        EXPECT_EQ(AfxGetApp()->LoadIcon(test_dialogs::kIconId), icon);
    }
    dlg.SetIcon(icon, TRUE);
    dlg.SetIcon(icon, FALSE);
    EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(icon));
    dlg.ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(dlg.GetExStyle() & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW), WS_EX_TOOLWINDOW);
}

}  // namespace
