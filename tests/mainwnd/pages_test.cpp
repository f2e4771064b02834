// SPDX-License-Identifier: GPL-3.0-or-later
// The pages on a stand-in window that records what they paint: the pictures
// and labels of each repaint in order, the lists they open, the dialogs they
// run through the seam (here answering as a test tells them), and the
// first-run step.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mainwnd/dpi_page.h"
#include "mainwnd/key_page.h"
#include "mainwnd/layout.h"
#include "mainwnd/page_host.h"
#include "mainwnd/rate_lighting_page.h"
#include "mainwnd/vantor_dlg.h"
#include "platform/wnd/cdialog.h"
#include "platform/wnd/list_box.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/key_vocabulary.h"
#include "settings/settings_state.h"
#include "tests/support/headless.h"
#include "tests/support/process_state.h"
#include "tests/support/test_dialogs.h"

namespace fs = std::filesystem;

namespace {

// A picture as painted: its file ("" for a label alone), where, and its label.
struct Painted {
    std::u16string file;
    CPoint at;
    std::u16string label;
    friend bool operator==(const Painted&, const Painted&) = default;
};

std::ostream& operator<<(std::ostream& out, const Painted& painted)
{
    return out << std::string(painted.file.begin(), painted.file.end()) << "@" << painted.at.x << ","
               << painted.at.y << " \"" << std::string(painted.label.begin(), painted.label.end()) << "\"";
}

class CRecordingHost : public IPageHost {
public:
    explicit CRecordingHost(CWnd& window) : m_window(window) { FillMainWindowStrings(strings, Language::English); }

    CWnd& Window() override { return m_window; }
    const MainWindowStrings& Texts() const override { return strings; }
    void Repaint(std::span<const SkinPicture> pictures) override
    {
        std::vector<Painted> painted;
        for (const SkinPicture& picture : pictures) {
            painted.push_back({std::u16string(picture.file), picture.topLeft,
                picture.label ? std::u16string(picture.label->text) : std::u16string()});
        }
        repaints.push_back(std::move(painted));
    }

    MainWindowStrings strings;
    std::vector<std::vector<Painted>> repaints;

private:
    CWnd& m_window;
};

// Dialogs that confirm with the values a test gives them.
class CConfirmingDialogs : public CAssignmentDialogs {
public:
    SlotDialogResult RunSlotDialog(SlotDialog dialog, CWnd&) override
    {
        ++runs;
        if (dialog != SlotDialog::FireKey || !confirm) {
            return {};
        }
        return fireKey;
    }
    INT_PTR RunKeysRecoverDialog(CWnd&) override
    {
        ++runs;
        return IDOK;
    }
    FireKeyChoice fireKey{2, u"C", 3, 20, 30};
    bool confirm = true;
    int runs = 0;
};

Painted Tick(int x, int y)
{
    return {u"/PaneMakingTick.png", {x, y}, u""};
}

class PagesTest : public HeadlessProgramTest {
protected:
    void SetUp() override
    {
        HeadlessProgramTest::SetUp();
        ASSERT_TRUE(m_window.Create(test_dialogs::kPlain.id));
        SetKeyRecoverDefaults(g_settingsRecord);
    }

    CDialog m_window{test_dialogs::kPlain};
    CRecordingHost m_host{m_window};
};

TEST_F(PagesTest, TheThirdPageDrawsItsTicksInTheirOrderAndKeepsTheOtherChoices)
{
    CRateLightingPage page(m_host);
    const Painted ledSet{u"/LEDSet.png", {0, 0}, u""};
    std::vector<SkinPicture> content;
    g_settingsRecord.reportInterval = 3;
    page.AppendContent(content);
    ASSERT_EQ(content.size(), 3u);
    EXPECT_EQ(content[0].topLeft, CPoint(476, 434));  // any unknown rate shows 1000 Hz here
    EXPECT_EQ(content[1].topLeft, CPoint(135, 237));
    EXPECT_EQ(content[2].topLeft, CPoint(425, 237));

    EXPECT_TRUE(page.OnClick(CPoint(250, 440)));
    EXPECT_EQ(m_host.repaints.back(), (std::vector<Painted>{ledSet, Tick(246, 434), Tick(135, 237), Tick(425, 237)}));
    EXPECT_EQ(g_settingsRecord.reportInterval, 4);

    EXPECT_TRUE(page.OnClick(CPoint(140, 345 + 5)));
    EXPECT_EQ(m_host.repaints.back(), (std::vector<Painted>{ledSet, Tick(135, 347), Tick(246, 434)}));
    EXPECT_EQ(g_settingsRecord.ledMode, 1);
    EXPECT_EQ(g_settingsRecord.modeOneParameter, 1);
    EXPECT_EQ(g_settingsRecord.modeTwoParameter, 3);

    // Mode 2's parameters are hit but ignored while mode 2 is off.
    const std::size_t repaints = m_host.repaints.size();
    EXPECT_TRUE(page.OnClick(CPoint(430, 280)));
    EXPECT_EQ(m_host.repaints.size(), repaints);
    EXPECT_EQ(g_settingsRecord.modeTwoParameter, 3);

    // After a lighting click an unknown rate has no tick at all.
    g_settingsRecord.reportInterval = 16;
    EXPECT_TRUE(page.OnClick(CPoint(136, 238)));
    EXPECT_EQ(m_host.repaints.back(), (std::vector<Painted>{ledSet, Tick(135, 237), Tick(425, 237)}));
    EXPECT_FALSE(page.OnClick(CPoint(160, 238)));
}

TEST_F(PagesTest, AStageBoxWithoutAKnownTableOpensNothingButCountsAsOpen)
{
    CDpiPage page(m_host);
    DpiTableSet = 9;
    std::vector<SkinPicture> content;
    page.AppendContent(content);
    ASSERT_EQ(content.size(), 4u);
    EXPECT_EQ(content[0].label->text, u"");
    EXPECT_EQ(content[0].label->align, DT_CENTER);

    EXPECT_TRUE(page.OnClick(CPoint(500, 160)));
    EXPECT_EQ(m_window.GetDlgItem(51), nullptr);
    // The second click only closes what counts as open: still no list.
    EXPECT_TRUE(page.OnClick(CPoint(500, 160)));
    DpiTableSet = 3;
    EXPECT_TRUE(page.OnClick(CPoint(500, 160)));
    auto* list = dynamic_cast<CListBox*>(m_window.GetDlgItem(51));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 8);
}

TEST_F(PagesTest, AStageChoiceWithoutASelectionChangesAndPaintsNothing)
{
    CDpiPage page(m_host);
    std::vector<SkinPicture> content;
    page.AppendContent(content);
    ASSERT_TRUE(page.OnClick(CPoint(500, 270)));
    page.OnListChoice();
    EXPECT_TRUE(m_host.repaints.empty());
    EXPECT_NE(m_window.GetDlgItem(52), nullptr);

    static_cast<CListBox*>(m_window.GetDlgItem(52))->SetCurSel(11);
    page.OnListChoice();
    EXPECT_EQ(m_window.GetDlgItem(52), nullptr);
    EXPECT_EQ(g_settingsRecord.dpiStageIndex[1], 11);
    EXPECT_EQ(m_host.repaints.back(), (std::vector<Painted>{{u"/DropdownBox-normal.png", {498, 263}, u"4000"}}));
}

TEST_F(PagesTest, AConfirmedDialogGivesTheSlotItsResultAndLabel)
{
    CConfirmingDialogs dialogs;
    CKeyPage page(m_host, dialogs);
    ASSERT_TRUE(page.OnClick(CPoint(530, 400 - 20)));  // slot 4 of key set 2
    auto* list = dynamic_cast<CListBox*>(m_window.GetDlgItem(44));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 13);
    list->SetCurSel(kFunctionFireKey);
    page.OnListChoice();
    EXPECT_EQ(dialogs.runs, 1);
    const std::size_t slot = SlotIndex(1, 3);
    EXPECT_EQ(g_settingsRecord.buttonFunction[slot], kFunctionFireKey);
    EXPECT_EQ(g_settingsRecord.fireKeyCode[slot], FireKeyCodeFromIndex(2));
    EXPECT_EQ(g_settingsRecord.fireRepeatCount[slot], 3);
    EXPECT_EQ(g_settingsRecord.fireMakeTime, 20);
    EXPECT_EQ(page.Labels()[1][3], u"Fire Key-C");
    EXPECT_EQ(m_host.repaints.back(), (std::vector<Painted>{{u"/DropdownBox-normal.png", {523, 371}, u"Fire Key-C"}}));
    EXPECT_EQ(m_window.GetDlgItem(44), nullptr);

    // Cancelled: the code is stored, the label stays.
    dialogs.confirm = false;
    ASSERT_TRUE(page.OnClick(CPoint(90, 200)));  // slot 1 of key set 1: guarded by the left-click rule
    EXPECT_EQ(m_window.GetDlgItem(31), nullptr);
    ASSERT_TRUE(page.OnClick(CPoint(90, 260)));
    static_cast<CListBox*>(m_window.GetDlgItem(32))->SetCurSel(kFunctionFireKey);
    page.OnListChoice();
    EXPECT_EQ(g_settingsRecord.buttonFunction[SlotIndex(0, 1)], kFunctionFireKey);
    EXPECT_EQ(page.Labels()[0][1], u"");
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, u"Left key must be selected!");
    EXPECT_EQ(m_boxes.boxes[0].caption, u"Warning");
}

TEST_F(PagesTest, DefaultConfirmedRestoresTheAssignmentAndRedrawsEveryBox)
{
    CConfirmingDialogs dialogs;
    CKeyPage page(m_host, dialogs);
    g_settingsRecord.buttonFunction[SlotIndex(1, 0)] = kFunctionKeyOff;
    g_settingsRecord.ledMode = 0;
    ASSERT_TRUE(page.OnClick(CPoint(360, 580)));
    EXPECT_EQ(g_settingsRecord.buttonFunction[SlotIndex(1, 0)], kFunctionLeftClick);
    EXPECT_EQ(g_settingsRecord.ledMode, 2);
    ASSERT_EQ(m_host.repaints.size(), 1u);
    const auto& boxes = m_host.repaints[0];
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_EQ(boxes[0], (Painted{u"/DropdownBox-normal.png", {78, 195}, u"Left Click"}));
    EXPECT_EQ(boxes[3], (Painted{u"/DropdownBox-normal.png", {78, 371}, u"DPI Switch"}));
    EXPECT_EQ(boxes[11], (Painted{u"/DropdownBox-normal.png", {523, 489}, u"Backward"}));
}

TEST_F(PagesTest, TheFirstRunIsAppliedOnceAtTheFirstDrawing)
{
    const fs::path folder = fs::temp_directory_path() / ("kx-pages-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::u16string labelFile = (folder / "str.ini").u16string();
    CAssignmentDialogs dialogs;
    CKeyPage page(m_host, dialogs);
    page.UseLabelFile(labelFile, u"Setting-EN");
    g_settingsRecord.dpiStageEnabled[3] = 0;
    g_settingsRecord.dpiStageEnabled[0] = 0;
    std::vector<SkinPicture> content;
    page.AppendContent(content, 0);
    ASSERT_EQ(content.size(), 12u);
    EXPECT_EQ(content[0].file, u"");
    EXPECT_EQ(content[0].label->text, u"Left Click");
    EXPECT_EQ(content[0].label->align, DT_LEFT);
    EXPECT_EQ(g_settingsRecord.dpiStageEnabled[0], 1);
    EXPECT_EQ(g_settingsRecord.dpiStageEnabled[3], 0);
    EXPECT_EQ(g_deviceImage[kImageConsumerTable], 0xB5);
    EXPECT_EQ(g_deviceImage[kImageHotKeyTable + 15], 0x1D);
    EXPECT_TRUE(fs::exists(folder / "str.ini"));

    // Not again in this process, whatever the flag.
    fs::remove(folder / "str.ini");
    ClearDeviceImage();
    content.clear();
    page.AppendContent(content, 0);
    EXPECT_FALSE(fs::exists(folder / "str.ini"));
    EXPECT_EQ(g_deviceImage[kImageConsumerTable], 0);
    fs::remove_all(folder);
}

// Every element with a hover picture, whoever owns it, comes back in the
// restore order once; an element missing there would keep its "-over"
// picture for good, one listed twice would never be reached the second time.
TEST_F(PagesTest, EveryHoveringElementIsInTheRestoreOrderOnceUnderItsOwnersNumber)
{
    CAssignmentDialogs dialogs;
    CKeyPage keyPage(m_host, dialogs);
    CDpiPage dpiPage(m_host);
    CRateLightingPage ratePage(m_host);
    const std::pair<layout::Page, const IPage*> pages[] = {
        {layout::Page::Keys, &keyPage}, {layout::Page::Dpi, &dpiPage}, {layout::Page::RateAndLighting, &ratePage}};
    std::vector<layout::hover::ElementRef> hovering;
    for (const CVantorDlg::OwnElement& own : CVantorDlg::kOwnElements) {
        if (own.element.hovers) {
            hovering.push_back(layout::hover::Window(own.id));
        }
    }
    for (const auto& [owner, page] : pages) {
        for (std::size_t element = 0; element < page->Elements().size(); ++element) {
            if (page->Elements()[element].hovers) {
                hovering.push_back({owner, element});
            }
        }
    }
    ASSERT_EQ(hovering.size(), layout::hover::kRestoreOrder.size());
    for (const layout::hover::ElementRef ref : hovering) {
        EXPECT_EQ(std::count(layout::hover::kRestoreOrder.begin(), layout::hover::kRestoreOrder.end(), ref), 1)
            << static_cast<int>(ref.page) << "/" << ref.element;
    }
}

TEST_F(PagesTest, EachPageNumbersItsOwnElementsAndDrawsThemByThatNumber)
{
    CConfirmingDialogs dialogs;
    CKeyPage keyPage(m_host, dialogs);
    namespace keys = layout::hover::keys;
    ASSERT_EQ(keyPage.Elements().size(), 13u);
    EXPECT_EQ(HoverElementAt(keyPage.Elements(), CPoint(360, 580)), keys::kDefault);
    EXPECT_EQ(keyPage.Elements()[keys::kDefault].kind, ElementKind::Button);
    EXPECT_EQ(HoverElementAt(keyPage.Elements(), CPoint(80, 200)), keys::Slot(0, 0));
    EXPECT_EQ(HoverElementAt(keyPage.Elements(), CPoint(650, 517)), keys::Slot(1, 5));
    EXPECT_EQ(HoverElementAt(keyPage.Elements(), CPoint(651, 517)), std::nullopt);
    EXPECT_EQ(keyPage.Elements()[keys::Slot(1, 3)].kind, ElementKind::DropDownBox);
    ASSERT_TRUE(keyPage.OnClick(CPoint(360, 580)));  // Default gives every box a label
    const SkinPicture box = keyPage.ElementPicture(keys::Slot(1, 3), true);
    EXPECT_EQ(box.file, u"/DropdownBox-over.png");
    EXPECT_EQ(box.topLeft, CPoint(523, 371));
    ASSERT_TRUE(box.label.has_value());
    EXPECT_EQ(box.label->text, keyPage.Labels()[1][3]);
    EXPECT_FALSE(box.label->text.empty());
    // A screen reader hears each box's value as the page holds it: the text it draws.
    for (std::size_t element = keys::Slot(0, 0); element < keys::kCount; ++element) {
        EXPECT_EQ(keyPage.ElementValue(element), keyPage.ElementPicture(element, false).label->text) << element;
    }
    EXPECT_EQ(keyPage.ElementValue(keys::Slot(1, 3)), keyPage.Labels()[1][3]);
    EXPECT_EQ(keyPage.ElementValue(keys::kDefault), u"");
    EXPECT_EQ(keyPage.ElementPicture(keys::kDefault, false).file, u"/Default-normal.png");
    EXPECT_EQ(keyPage.ElementPicture(keys::kDefault, true).topLeft, CPoint(352, 572));

    CDpiPage dpiPage(m_host);
    std::vector<SkinPicture> content;
    dpiPage.AppendContent(content);
    ASSERT_EQ(dpiPage.Elements().size(), 4u);
    EXPECT_EQ(HoverElementAt(dpiPage.Elements(), CPoint(500, 490)), layout::hover::dpi::Stage(3));
    // The key page's Default lies where the DPI page has nothing.
    EXPECT_EQ(HoverElementAt(dpiPage.Elements(), CPoint(360, 580)), std::nullopt);
    const SkinPicture stage = dpiPage.ElementPicture(layout::hover::dpi::Stage(1), false);
    EXPECT_EQ(stage.file, u"/DropdownBox-normal.png");
    EXPECT_EQ(stage.topLeft, CPoint(498, 263));
    EXPECT_EQ(stage.label->text, content[1].label->text);
    for (std::size_t element = 0; element < dpiPage.Elements().size(); ++element) {
        EXPECT_EQ(dpiPage.ElementValue(element), dpiPage.ElementPicture(element, true).label->text) << element;
    }
    EXPECT_FALSE(dpiPage.ElementValue(layout::hover::dpi::Stage(1)).empty());

    // The third page's ticks are elements for a reader, but none hovers.
    CRateLightingPage ratePage(m_host);
    ASSERT_EQ(ratePage.Elements().size(), 12u);
    for (const ScreenElement& tick : ratePage.Elements()) {
        EXPECT_EQ(tick.kind, ElementKind::Tick);
        EXPECT_EQ(HoverElementAt(ratePage.Elements(), tick.rect.TopLeft()), std::nullopt);
    }
    EXPECT_EQ(ratePage.Elements()[3].rect, layout::kRateTicks[3].rect);
    EXPECT_EQ(ratePage.Elements()[4].rect, layout::kLightingTicks[0].rect);
    EXPECT_EQ(ratePage.ElementPicture(4, false).file, u"/PaneMakingTick.png");
}

}  // namespace
