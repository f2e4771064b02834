// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the program: the order of the first steps, the languages, the
// settings files it reads and the start in the tray.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/gdi/imaging_library.h"
#include "app/program.h"
#include "device/device_link.h"
#include "platform/module.h"
#include "platform/services/system_info.h"
#include "platform/sim/sim_hid.h"
#include "platform/winuser.h"
#include "platform/wnd/testing.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "tests/support/whole_program.h"
#include "tests/mainwnd/vantor_dlg_probe.h"

namespace {

// Records, with each box, whether its owner window was on screen.
class CVisibilityRecordingBoxes : public CRecordingMessageBoxes {
public:
    int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override
    {
        ownerVisible.push_back(owner != nullptr && IsWindowVisible(owner));
        trayCallsBefore.push_back(wndtest::TrayCalls().size());
        return CRecordingMessageBoxes::Show(owner, text, caption, type);
    }
    std::vector<bool> ownerVisible;
    std::vector<std::size_t> trayCallsBefore;
};

std::string RecordBytes(const SettingsRecord& record)
{
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

std::string PatternRecordBytes()
{
    std::string bytes(kSettingsRecordSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7 + 3);
    }
    return bytes;
}

// The record as the first key page drawing leaves it: stages 1 to 3 enabled
// when the first-run flag is 0.
SettingsRecord WithFirstRunStages(SettingsRecord record, std::uint8_t firstRunFlag)
{
    if (firstRunFlag == 0) {
        record.dpiStageEnabled[0] = record.dpiStageEnabled[1] = record.dpiStageEnabled[2] = 1;
    }
    return record;
}

using StartupTest = WholeProgramTest;

TEST_F(StartupTest, WithTheMouseItReadsTheMouseAndSitsHiddenInTheTray)
{
    SimHid sim(SimHid::Options{.plugged = true, .dpiTableSet = 2});
    bool visibleAtFirstStep = true;
    layout::Page pageAtFirstStep = layout::Page::None;
    const int exitCode = RunProgram({[&](CVantorDlg& dlg) {
        visibleAtFirstStep = dlg.IsWindowVisible() != FALSE;
        pageAtFirstStep = CVantorDlgProbe(dlg).CurrentPage();
        // In the tray the window's pictures are not read: they are when it is first shown.
        EXPECT_EQ(CVantorDlgProbe(dlg).Canvas(), nullptr);
        EXPECT_TRUE(CVantorDlgProbe(dlg).IsListeningToOtherPrograms());
        EXPECT_EQ(dlg.GetExStyle() & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
        EXPECT_EQ(dlg.GetExStyle() & WS_EX_APPWINDOW, 0u);
        EXPECT_EQ(dlg.GetIcon(TRUE), dlg.GetIcon(FALSE));
        EXPECT_NE(dlg.GetIcon(TRUE), nullptr);
    }});

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(m_boxes.boxes.empty());
    EXPECT_FALSE(visibleAtFirstStep);
    EXPECT_EQ(pageAtFirstStep, layout::Page::Keys);
    EXPECT_TRUE(g_deviceImageFromMouse);
    EXPECT_EQ(DpiTableSet, 2);
    EXPECT_EQ(g_deviceLink.devicePresent, 1);
    EXPECT_EQ(g_deviceLink.deviceOpened, 1);

    const auto added = TrayCallsOf(NIM_ADD);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].cbSize, 968u);
    EXPECT_EQ(added[0].uFlags, 7u);
    EXPECT_EQ(added[0].uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(std::u16string(added[0].szTip), u"KX-507");
    // The program ended from its modal loop: the icon went with the window,
    // the handles were closed and the picture library was shut down.
    ASSERT_EQ(TrayCallsOf(NIM_DELETE).size(), 1u);
    EXPECT_EQ(TrayCallsOf(NIM_DELETE)[0].uID, added[0].uID);
    EXPECT_EQ(g_deviceLink.commandHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(g_deviceLink.dataHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(sim.OpenHandles(), 0);
    EXPECT_EQ(sim.Registrations(), 0);
    EXPECT_EQ(ActiveImagingTokens(), 0);
}

TEST_F(StartupTest, WithoutTheMouseTheWarningComesBeforeTheWindowIsEverShown)
{
    SimHid sim(SimHid::Options{.plugged = false});
    CVisibilityRecordingBoxes boxes;
    IMessageBoxPresenter* previous = SetMessageBoxPresenter(&boxes);
    bool visibleAtFirstStep = true;
    RunProgram({[&](CVantorDlg& dlg) { visibleAtFirstStep = dlg.IsWindowVisible() != FALSE; }});
    SetMessageBoxPresenter(previous);

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, u"The system did not detect the gaming mouse!");
    EXPECT_EQ(boxes.boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_NE(boxes.boxes[0].owner, nullptr);
    EXPECT_FALSE(boxes.ownerVisible[0]);
    // The tray icon is there already when the box comes up.
    EXPECT_EQ(boxes.trayCallsBefore[0], 1u);
    EXPECT_FALSE(visibleAtFirstStep);
    EXPECT_EQ(g_deviceLink.devicePresent, 0);
    EXPECT_FALSE(g_deviceImageFromMouse);
}

TEST_F(StartupTest, OnlyTheFirstTwoFramePaintsHideTheWindow)
{
    SimHid sim;
    RunProgram({[](CVantorDlg& dlg) {
        EXPECT_FALSE(dlg.IsWindowVisible());
        // Any later show stays shown, whichever way it comes.
        dlg.ShowWindow(SW_SHOW);
        EXPECT_TRUE(dlg.IsWindowVisible());
        dlg.SendMessage(WM_NCPAINT, 1, 0);
        EXPECT_TRUE(dlg.IsWindowVisible());
    }});
}

TEST_F(StartupTest, LanguagesChooseTextsFontsSkinAndLabelSection)
{
    struct Case {
        LANGID langId;
        std::u16string exitText;
        const char16_t* listFace;
        LONG listHeight;
        const char16_t* textFace;
        LONG textWeight;
        const char* skin;
        std::u16string section;
    };
    const Case cases[] = {
        {2052, u"退出", u"黑体", 13, u"黑体", FW_BOLD, "/Skins/CHS", u"Setting-CHS"},
        {1028, u"退出", u"Arial", 14, u"Tahoma", FW_BOLD, "/Skins/EN", u"Setting-CHT"},
        {1033, u"Exit", u"Arial", 14, u"Tahoma", FW_BOLD, "/Skins/EN", u"Setting-EN"},
        {3076, u"Exit", u"Arial", 14, u"Tahoma", FW_BOLD, "/Skins/EN", u"Setting-EN"},
    };
    SimHid sim;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.langId);
        FinishRun();
        PrepareRun();
        SetSystemDefaultLangIdForTesting(c.langId);
        RunProgram({[&](CVantorDlg& dlg) {
            EXPECT_EQ(CVantorDlgProbe(dlg).Strings().strExit, c.exitText);
            EXPECT_EQ(CVantorDlgProbe(dlg).Strings().strSettingsSection, c.section);
            EXPECT_EQ(CVantorDlgProbe(dlg).ListFont().FaceName(), c.listFace);
            EXPECT_EQ(CVantorDlgProbe(dlg).ListFont().LogFont().lfHeight, c.listHeight);
            EXPECT_EQ(CVantorDlgProbe(dlg).ListFont().LogFont().lfWeight, FW_NORMAL);
            EXPECT_EQ(CVantorDlgProbe(dlg).TextFont().FaceName(), c.textFace);
            EXPECT_EQ(CVantorDlgProbe(dlg).TextFont().LogFont().lfHeight, 15);
            EXPECT_EQ(CVantorDlgProbe(dlg).TextFont().LogFont().lfWeight, c.textWeight);
            EXPECT_EQ(CVantorDlgProbe(dlg).TextFont().LogFont().lfPitchAndFamily, 0x20);
            EXPECT_EQ(CVantorDlgProbe(dlg).SkinLanguage(), c.langId == 2052 ? SkinLanguage::Chinese : SkinLanguage::English);
            EXPECT_EQ(CVantorDlgProbe(dlg).SkinFolder(), U16(m_installFolder + c.skin));
            dlg.ShowWindow(SW_SHOW);
            wndtest::PumpMessages();
            EXPECT_NE(CVantorDlgProbe(dlg).Canvas(), nullptr);
        }});
    }
}

TEST_F(StartupTest, ConfigFileOfExactly180BytesIsLoadedAndAnyOtherLengthIsIgnored)
{
    SimHid sim;
    const std::string record = PatternRecordBytes();
    struct Case {
        std::string bytes;
        bool loaded;
    };
    const Case cases[] = {
        {std::string(1, '\x01') + record, true},
        {std::string(1, '\x00') + record, true},
        {std::string(1, '\x01') + record.substr(0, 178), false},
        {std::string(1, '\x01') + record + "x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        FinishRun();
        PrepareRun();
        WriteInstallFile("config.bin", c.bytes);
        std::uint8_t firstRunFlag = 0xFF;
        RunProgram({[&](CVantorDlg& dlg) { firstRunFlag = CVantorDlgProbe(dlg).AppliedBeforeFlag(); }});
        EXPECT_TRUE(m_boxes.boxes.empty());
        EXPECT_EQ(RecordBytes(g_appliedCopy), c.loaded ? record : std::string(kSettingsRecordSize, '\0'));
        EXPECT_EQ(firstRunFlag, c.loaded ? static_cast<std::uint8_t>(c.bytes[0]) : 0);
        // The first run (flag 0, or no file loaded) enables stages 1 to 3 in the record only.
        EXPECT_EQ(RecordBytes(g_settingsRecord), RecordBytes(WithFirstRunStages(g_appliedCopy, firstRunFlag)));
        // Starting never writes the file.
        EXPECT_EQ(ReadInstallFile("config.bin"), c.bytes);
    }
}

TEST_F(StartupTest, MissingConfigFileIsReportedAndNotCreated)
{
    SimHid sim;
    RemoveInstallFile("config.bin");
    bool drawn = false;
    RunProgram({[&](CVantorDlg& dlg) {
        dlg.ShowWindow(SW_SHOW);
        wndtest::PumpMessages();
        drawn = CVantorDlgProbe(dlg).CurrentPage() == layout::Page::Keys && CVantorDlgProbe(dlg).Canvas() != nullptr;
    }});
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, u"Config file is not exist.");
    EXPECT_EQ(m_boxes.boxes[0].caption, ApplicationName());
    EXPECT_TRUE(drawn);
    EXPECT_FALSE(std::filesystem::exists(m_installFolder + "/config.bin"));
    EXPECT_EQ(RecordBytes(g_appliedCopy), std::string(kSettingsRecordSize, '\0'));
    EXPECT_EQ(RecordBytes(g_settingsRecord), RecordBytes(WithFirstRunStages(SettingsRecord{}, 0)));
}

TEST_F(StartupTest, LabelsComeFromTheSectionOfTheLanguageAndTheFileIsLeftAlone)
{
    SimHid sim;
    const std::string ini =
        "[Setting-EN]\nItem1=Left Click\nItem13=Fire Key\n"
        "[Setting-CHT]\nItem1=\xE5\xB7\xA6\xE9\x8D\xB5\nItem83=\xE5\x96\xAE\xE9\x8D\xB5\n";
    WriteInstallFile("str.ini", ini);
    // Applied once already: the first run does not write its labels.
    WriteInstallFile("config.bin", std::string(1, '\x01') + PatternRecordBytes());
    SetSystemDefaultLangIdForTesting(1028);
    SlotLabels labels;
    RunProgram({[&](CVantorDlg& dlg) { labels = CVantorDlgProbe(dlg).Labels(); }});
    EXPECT_EQ(labels[0][0], u"左鍵");
    EXPECT_EQ(labels[1][7], u"單鍵");
    EXPECT_EQ(labels[1][0], u"");
    EXPECT_EQ(ReadInstallFile("str.ini"), ini);
}

TEST_F(StartupTest, BackgroundIsErasedWithTheMainPicture)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        dlg.ShowWindow(SW_SHOW);
        wndtest::PumpMessages();
        const CBitmap* canvas = CVantorDlgProbe(dlg).Canvas();
        ASSERT_NE(canvas, nullptr);
        for (const CPoint point : {CPoint(5, 5), CPoint(400, 300), CPoint(700, 600)}) {
            const std::uint8_t* pixel = canvas->PixelAt(point.x, point.y);
            EXPECT_EQ(wndtest::WindowPixel(dlg, point), RGB(pixel[2], pixel[1], pixel[0]))
                << point.x << "," << point.y;
        }
    }});
}

// A program that stays in the tray reads no picture; the tray click that
// first shows the window reads the main picture and draws the key page into
// it, once: hidden and shown again, the window keeps its canvas.
TEST_F(StartupTest, TheFirstShowFromTheTrayReadsThePicturesAndDrawsTheKeyPageOnce)
{
    SimHid sim;
    RunProgram({[&](CVantorDlg& dlg) {
        ASSERT_EQ(CVantorDlgProbe(dlg).Canvas(), nullptr);
        dlg.SendMessage(WM_USER + 1, 0, WM_LBUTTONUP);
        wndtest::PumpMessages();
        ASSERT_TRUE(dlg.IsWindowVisible());
        const CBitmap* canvas = CVantorDlgProbe(dlg).Canvas();
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(CVantorDlgProbe(dlg).CurrentPage(), layout::Page::Keys);
        for (const CPoint point : {CPoint(5, 5), CPoint(400, 300), CPoint(700, 600)}) {
            const std::uint8_t* pixel = canvas->PixelAt(point.x, point.y);
            EXPECT_EQ(wndtest::WindowPixel(dlg, point), RGB(pixel[2], pixel[1], pixel[0]))
                << point.x << "," << point.y;
        }
        dlg.ShowWindow(SW_HIDE);
        dlg.SendMessage(WM_USER + 1, 0, WM_LBUTTONUP);
        wndtest::PumpMessages();
        EXPECT_EQ(CVantorDlgProbe(dlg).Canvas(), canvas);
    }});
    EXPECT_TRUE(m_boxes.boxes.empty());
}

// Only pictures that read wait for the first show: one of the first key page
// drawing that would not load is reported at start-up, while the window sits
// in the tray, as before the drawing waited.
TEST_F(StartupTest, APictureThatWouldNotLoadIsReportedAtStartUpWhileInTheTray)
{
    for (const auto& skin : std::filesystem::directory_iterator(m_installFolder + "/Skins")) {
        std::ofstream(skin.path() / "KeySet.png", std::ios::binary | std::ios::trunc) << "not a picture";
    }
    SimHid sim;
    CVisibilityRecordingBoxes boxes;
    IMessageBoxPresenter* previous = SetMessageBoxPresenter(&boxes);
    std::size_t boxesAtFirstStep = 0;
    RunProgram({[&](CVantorDlg& dlg) {
        boxesAtFirstStep = boxes.boxes.size();
        EXPECT_NE(CVantorDlgProbe(dlg).Canvas(), nullptr);
    }});
    SetMessageBoxPresenter(previous);

    ASSERT_EQ(boxesAtFirstStep, 1u);
    EXPECT_EQ(boxes.boxes[0].text, u"LoadPng---Load image failed.");
    EXPECT_FALSE(boxes.ownerVisible[0]);
}

// The key-recover defaults, and in the fields only the dialogs and the
// lighting page set, values they would give themselves: a first Apply sends
// nothing out of their ranges.
TEST_F(StartupTest, ShippedConfigFileIsAFirstRunRecordOfKeyRecoverDefaultsAndTheDialogsDefaults)
{
    std::ifstream in(m_outputFolder + "/config.bin", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 180u);
    EXPECT_EQ(bytes[0], '\0');
    SettingsRecord shipped{};
    SetKeyRecoverDefaults(shipped);
    shipped.fireMakeTime = 5;
    shipped.fireBreakTime = 5;
    shipped.modeOneParameter = 10;
    shipped.snipeDpiCode = 0x02;
    EXPECT_EQ(bytes.substr(1), RecordBytes(shipped));
    for (std::uint8_t table = 0; table < 4; ++table) {
        const auto codes = DpiValueList(table).size();
        bool offered = false;
        for (std::uint8_t position = 0; position < codes; ++position) {
            offered = offered || DpiCodeOfPosition(table, position, true) == shipped.snipeDpiCode;
        }
        EXPECT_TRUE(offered) << "DPI table " << int{table};
    }
}

}  // namespace
