// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on screens at 100 %, 150 % and 200 %, in English and
// Chinese: every page drawn from its picture at the screen's density, clicks
// landing where they land at 100 %, a missing twice-as-dense picture standing
// in with the single one, a missing single picture reported at every density.

#include <gtest/gtest.h>

#include <filesystem>

#include "mainwnd/layout.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/services/system_info.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "tests/support/whole_program.h"
#include "tests/mainwnd/vantor_dlg_probe.h"
#include "tests/support/density.h"

namespace {

// Artwork of the page pictures that nothing of the program covers: the
// title bar left of Minimise with the product's caption, and the row of tabs.
constexpr CRect kTitleBar{0, 0, 680, 45};
constexpr CRect kTabRow{265, 62, 740, 92};

constexpr char16_t kLoadFailed[] = u"LoadPng---Load image failed.";

class DensityTest : public WholeProgramTest {
protected:
    // Each run of a test after its first starts from fresh folders.
    void FreshRun()
    {
        if (m_runs++ > 0) {
            FinishRun();
            PrepareRun();
        }
    }

private:
    int m_runs = 0;
};

CPoint CentreOf(const CRect& rect)
{
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Shows the window and goes through the pages by their tabs.
void ForEachPage(CVantorDlg& dlg, const std::function<void(const layout::PageTab&)>& check)
{
    dlg.ShowWindow(SW_SHOW);
    wndtest::PumpMessages();
    for (const layout::PageTab& tab : {layout::kTabs[1], layout::kTabs[2], layout::kTabs[0]}) {
        wndtest::Click(dlg, CentreOf(tab.rect));
        check(tab);
    }
}

TEST_F(DensityTest, EveryPageIsDrawnAtTheScreensDensityAndItsTabsAnswerAsAt100)
{
    for (const auto& [langId, folder] : {std::pair<LANGID, const char*>{1033, "EN"}, {2052, "CHS"}}) {
        for (const UINT dpi : kScreenDpis) {
            SCOPED_TRACE(std::string(folder) + " at " + std::to_string(dpi) + " dpi");
            FreshRun();
            SetSystemDefaultLangIdForTesting(langId);
            wndtest::SetScreenDpi(dpi);
            SimHid sim;
            RunProgram({[&](CVantorDlg& dlg) {
                ASSERT_EQ(GetDpiForWindow(dlg), dpi);
                ForEachPage(dlg, [&](const layout::PageTab& tab) {
                    EXPECT_EQ(CVantorDlgProbe(dlg).CurrentPage(), tab.page);
                    const std::u16string page = U16(m_installFolder + "/Skins/" + folder) + std::u16string(tab.picture);
                    const ExpectedPicture expected = SkinPictureAtDpi(page, dpi);
                    EXPECT_LE(LargestDifference(*dlg.Surface(), expected, kTitleBar), dpi == 144 ? 2 : 0);
                    EXPECT_LE(LargestDifference(*dlg.Surface(), expected, kTabRow), dpi == 144 ? 2 : 0);
                    if (dpi != 96) {
                        EXPECT_GT(LargestDifference(*dlg.Surface(), BlockyPictureAtDpi(page, dpi), kTitleBar), 60);
                    }
                });
                // Minimise at its centre hides the window, as at 100 %.
                wndtest::Click(dlg, CentreOf(OwnElementRow(layout::WindowElement::Minimise).element.rect));
                EXPECT_FALSE(dlg.IsWindowVisible());
            }});
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
    }
}

TEST_F(DensityTest, MovedToAScreenOfAnotherDensityTheWindowIsDrawnAgainAtThatDensity)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        dlg.ShowWindow(SW_SHOW);
        wndtest::Click(dlg, CentreOf(layout::kTabs[1].rect));
        ASSERT_EQ(dlg.Surface()->Dpi(), 96u);
        const std::u16string page = U16(m_installFolder + "/Skins/EN") + std::u16string(layout::kTabs[1].picture);
        for (const UINT dpi : {192u, 144u, 96u}) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi");
            wndtest::SetScreenDpi(dpi);
            // The desktop repaints a window that changed screens.
            dlg.Invalidate();
            wndtest::PumpMessages();
            wndtest::PumpMessages();
            ASSERT_EQ(GetDpiForWindow(dlg), dpi);
            EXPECT_EQ(CVantorDlgProbe(dlg).Canvas()->Dpi(), dpi);
            EXPECT_EQ(CVantorDlgProbe(dlg).CurrentPage(), layout::Page::Dpi);
            EXPECT_LE(LargestDifference(*dlg.Surface(), SkinPictureAtDpi(page, dpi), kTitleBar), dpi == 144 ? 2 : 0);
        }
    }});
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(DensityTest, AMissingTwiceAsDensePictureFallsBackToTheSingleOneWithoutAWord)
{
    RemoveInstallFile("Skins/EN/DPISet@2x.png");
    wndtest::SetScreenDpi(192);
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        ForEachPage(dlg, [&](const layout::PageTab& tab) {
            // The build's own folder still has every @2x picture.
            const std::u16string page = U16(m_outputFolder + "/Skins/EN") + std::u16string(tab.picture);
            const int fromTwice = LargestDifference(*dlg.Surface(), SkinPictureAtDpi(page, 192), kTitleBar);
            const int fromSingle = LargestDifference(*dlg.Surface(), SmoothPictureAtDpi(page, 192), kTitleBar);
            if (tab.page == layout::Page::Dpi) {
                EXPECT_GT(fromTwice, 20);
                EXPECT_LE(fromSingle, 2);
            } else {
                EXPECT_EQ(fromTwice, 0);
            }
        });
    }});
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(DensityTest, AMissingSinglePictureIsReportedAtEveryDensityEvenBesideItsTwiceAsDenseCopy)
{
    for (const UINT dpi : kScreenDpis) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        FreshRun();
        RemoveInstallFile("Skins/EN/Save-over.png");
        wndtest::SetScreenDpi(dpi);
        SimHid sim;
        RunProgram({[&](CVantorDlg& dlg) {
            dlg.ShowWindow(SW_SHOW);
            wndtest::PumpMessages();
            wndtest::MouseMove(dlg, CentreOf(OwnElementRow(layout::WindowElement::Apply).element.rect));
            wndtest::AdvanceTime(20);
        }});
        ASSERT_EQ(m_boxes.boxes.size(), 1u);
        EXPECT_EQ(m_boxes.boxes[0].text, kLoadFailed);
    }
}

}  // namespace
