// SPDX-License-Identifier: GPL-3.0-or-later
// Hover and leave reports of _TrackMouseEvent, on the virtual hover clock.

#include <gtest/gtest.h>

#include <vector>

#include "platform/wnd/cdialog.h"
#include "platform/wnd/mouse_track.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr CRect kButton(10, 10, 110, 40);
constexpr DWORD kHoverMs = 10;

// Asks for hover and leave reports while the pointer is over the button,
// as the skinned windows do.
class CHoverDlg : public CDialog {
public:
    CHoverDlg() : CDialog(test_dialogs::kPlain) {}

    std::vector<CPoint> hovers;
    int leaves = 0;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnMouseMove(UINT flags, CPoint point)
    {
        if (kButton.PtInRect(point)) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_HOVER | TME_LEAVE;
            track.hwndTrack = m_hWnd;
            track.dwHoverTime = kHoverMs;
            _TrackMouseEvent(&track);
        }
        CDialog::OnMouseMove(flags, point);
    }
    void OnMouseHover(UINT, CPoint point) { hovers.push_back(point); }
    void OnMouseLeave() { ++leaves; }

    static const CMessageMap kMessageMap;
};

const CMessageMap CHoverDlg::kMessageMap = {
    ON_WM_MOUSEMOVE(&CHoverDlg::OnMouseMove),
    ON_WM_MOUSEHOVER(&CHoverDlg::OnMouseHover),
    ON_WM_MOUSELEAVE(&CHoverDlg::OnMouseLeave),
};

class HoverTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        ASSERT_TRUE(m_dlg.Create(test_dialogs::kPlain.id));
        m_dlg.ShowWindow(SW_SHOW);
        wndtest::PumpMessages();
    }
    CHoverDlg m_dlg;
};

TEST_F(HoverTest, RestingInsideReportsOnceAfterTheHoverTime)
{
    wndtest::MouseMove(m_dlg, CPoint(20, 20));
    wndtest::AdvanceTime(kHoverMs - 1);
    EXPECT_TRUE(m_dlg.hovers.empty());
    wndtest::AdvanceTime(1);
    EXPECT_EQ(m_dlg.hovers, std::vector<CPoint>{CPoint(20, 20)});
    wndtest::AdvanceTime(100);
    EXPECT_EQ(m_dlg.hovers.size(), 1u);
}

TEST_F(HoverTest, EachTrackingRequestRestartsTheHoverTime)
{
    wndtest::MouseMove(m_dlg, CPoint(20, 20));
    wndtest::AdvanceTime(6);
    wndtest::MouseMove(m_dlg, CPoint(21, 20));  // the window asks again
    wndtest::AdvanceTime(4);
    EXPECT_TRUE(m_dlg.hovers.empty());
    wndtest::AdvanceTime(6);
    EXPECT_EQ(m_dlg.hovers, std::vector<CPoint>{CPoint(21, 20)});
}

TEST_F(HoverTest, SmallTremorsWithoutANewRequestKeepTheHoverTime)
{
    wndtest::MouseMove(m_dlg, CPoint(20, 11));
    wndtest::AdvanceTime(6);
    // Outside the button the window does not ask again; the pointer stays
    // inside the hover square all the same.
    wndtest::MouseMove(m_dlg, CPoint(20, 9));
    EXPECT_FALSE(kButton.PtInRect(CPoint(20, 9)));
    wndtest::AdvanceTime(4);
    EXPECT_EQ(m_dlg.hovers, std::vector<CPoint>{CPoint(20, 9)});
}

TEST_F(HoverTest, CrossingQuicklyReportsNothingOnTheButton)
{
    for (int x = 0; x <= 120; x += 6) {
        wndtest::MouseMove(m_dlg, CPoint(x, 25));
        wndtest::AdvanceTime(kHoverMs / 2);
    }
    EXPECT_TRUE(m_dlg.hovers.empty());
    // Coming to rest beyond the button: the report that still comes names a
    // point outside it, which the window ignores.
    wndtest::AdvanceTime(kHoverMs);
    for (const CPoint& point : m_dlg.hovers) {
        EXPECT_FALSE(kButton.PtInRect(point));
    }
}

TEST_F(HoverTest, LeavingTheWindowReportsOnceAndCancelsTheHover)
{
    wndtest::MouseMove(m_dlg, CPoint(20, 20));
    wndtest::MouseLeave(m_dlg);
    wndtest::AdvanceTime(50);
    EXPECT_EQ(m_dlg.leaves, 1);
    EXPECT_TRUE(m_dlg.hovers.empty());
    wndtest::MouseLeave(m_dlg);
    EXPECT_EQ(m_dlg.leaves, 1);
}

TEST_F(HoverTest, MovingOntoAnotherWindowCountsAsLeaving)
{
    CHoverDlg other;
    ASSERT_TRUE(other.Create(test_dialogs::kPlain.id));
    other.ShowWindow(SW_SHOW);
    wndtest::MouseMove(m_dlg, CPoint(20, 20));
    wndtest::MouseMove(other, CPoint(300, 200));
    EXPECT_EQ(m_dlg.leaves, 1);
}

TEST_F(HoverTest, AskingForLeaveWhileOutsideReportsAtOnce)
{
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_dlg;
    EXPECT_TRUE(_TrackMouseEvent(&track));
    wndtest::PumpMessages();
    EXPECT_EQ(m_dlg.leaves, 1);
    track.hwndTrack = nullptr;
    EXPECT_FALSE(_TrackMouseEvent(&track));
}

}  // namespace
