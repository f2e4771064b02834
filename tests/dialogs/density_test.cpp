// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs on screens at 100 %, 150 % and 200 %, in English and Chinese:
// each is drawn from its picture at the screen's density, not from the
// single-density picture enlarged, and its buttons answer the clicks of
// 100 % at the same client points.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "dialogs/fire_key_dialog.h"
#include "dialogs/keys_recover_dialog.h"
#include "dialogs/list_dialog.h"
#include "dialogs/single_dialog.h"
#include "dialogs/snipe_dialog.h"
#include "platform/wnd/cwnd.h"
#include "tests/dialogs/dialogs_fixture.h"
#include "tests/support/density.h"
#include "tests/support/output_folder.h"

namespace {

// The title band of every dialog's picture, left of its close button:
// artwork and its caption, with nothing of the program's drawn over it.
constexpr CRect kTitleBand{0, 0, 260, 31};

struct DialogCase {
    const char* picture;
    CPoint confirm;  // the centre of the confirming button
    std::function<std::unique_ptr<CDialog>()> make;
};

const std::uint8_t kDpiTableSet = 0;

const DialogCase kDialogs[] = {
    {"fire-key.png", {211, 271}, [] { return std::make_unique<CFireKeyDialog>(nullptr); }},
    {"single-key.png", {211, 271}, [] { return std::make_unique<CSingleDialog>(nullptr); }},
    {"hot-key.png", {211, 271}, [] { return std::make_unique<CHotKeyDialog>(nullptr); }},
    {"media-key.png", {211, 271}, [] { return std::make_unique<CMediaDialog>(nullptr); }},
    {"windows-key.png", {211, 271}, [] { return std::make_unique<CWindowsDialog>(nullptr); }},
    {"snipe-key.png", {211, 271}, [] { return std::make_unique<CSnipeDialog>(kDpiTableSet, nullptr); }},
    {"Keys-recover.png", {91, 162}, [] { return std::make_unique<CKeysRecoverDialog>(nullptr); }},
};

std::u16string SkinFile(const char* folder, const char* name)
{
    return (std::filesystem::path(BuildOutputFolder()) / "Skins" / folder / name).u16string();
}

using DialogDensityTest = DialogsTest;

TEST_F(DialogDensityTest, EachDialogIsDrawnFromItsPictureAtTheScreensDensityAndConfirmsWhereItDoesAt100)
{
    for (const auto& [langId, folder] : {std::pair<LANGID, const char*>{1033, "EN"}, {2052, "CHS"}}) {
        UseLanguage(langId);
        for (const UINT dpi : kScreenDpis) {
            for (const DialogCase& c : kDialogs) {
                SCOPED_TRACE(std::string(folder) + "/" + c.picture + " at " + std::to_string(dpi) + " dpi");
                wndtest::SetScreenDpi(dpi);
                const std::unique_ptr<CDialog> dialog = c.make();
                int sharp = -1;
                int blocky = -1;
                UINT surfaceDpi = 0;
                wndtest::QueueModalAction([&](HWND window) {
                    const CBitmap& surface = *CWnd::FromHandle(window)->Surface();
                    surfaceDpi = surface.Dpi();
                    sharp = LargestDifference(surface, SkinPictureAtDpi(SkinFile(folder, c.picture), dpi), kTitleBand);
                    blocky = LargestDifference(surface, BlockyPictureAtDpi(SkinFile(folder, c.picture), dpi), kTitleBand);
                    wndtest::Click(window, c.confirm);
                });
                EXPECT_EQ(dialog->DoModal(), IDOK);
                EXPECT_EQ(surfaceDpi, dpi);
                EXPECT_GE(sharp, 0);
                EXPECT_LE(sharp, dpi == 144 ? 2 : 0);
                if (dpi != 96) {
                    // The caption's strokes: an enlarged single-density picture is far off.
                    EXPECT_GT(blocky, 60);
                }
            }
        }
    }
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(DialogDensityTest, MovedToAScreenOfAnotherDensityADialogIsDrawnAgainWithWhatItShowed)
{
    CSingleDialog dialog(nullptr);
    const std::u16string picture = SkinFile("EN", "single-key.png");
    int sharp = -1;
    UINT surfaceDpi = 0;
    Columns name;
    wndtest::QueueModalAction([&](HWND window) {
        wndtest::KeyPress(window, 'W');
        wndtest::SetScreenDpi(192);
        // The desktop repaints a window that changed screens.
        CWnd::FromHandle(window)->Invalidate();
        wndtest::PumpMessages();
        wndtest::PumpMessages();
        const CBitmap& surface = *CWnd::FromHandle(window)->Surface();
        surfaceDpi = surface.Dpi();
        sharp = LargestDifference(surface, SkinPictureAtDpi(picture, 192), kTitleBand);
        name = TextColumns(wndtest::GrabWindow(window), CRect(52, 116, 174, 138));
        wndtest::Click(window, {211, 271});
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(surfaceDpi, 192u);
    EXPECT_EQ(sharp, 0);
    // The captured key's name is still in its box.
    EXPECT_FALSE(name.Empty());
    EXPECT_EQ(dialog.KeyName(), u"W");
}

}  // namespace
