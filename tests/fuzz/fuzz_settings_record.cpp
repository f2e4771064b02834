// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as config.bin, taken the way the main window
// takes the file: loaded into the settings record, shown from it (the three
// pages' content and hover pictures, the DPI-stage balloons), and encoded from
// it into the device image on Apply, under every DPI table the mouse may
// report. The record's bytes index tables throughout; none of it may read
// outside a table (the standard library's bounds checks are on).

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "lang/language.h"
#include "lang/main_strings.h"
#include "tray/notifications.h"
#include "mainwnd/slot_dialogs.h"
#include "mainwnd/dpi_page.h"
#include "mainwnd/key_page.h"
#include "mainwnd/layout.h"
#include "mainwnd/page_host.h"
#include "mainwnd/rate_lighting_page.h"
#include "platform/wnd/cwnd.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/image_encoding.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// DPI-table selectors: the four the mouse knows and two it should not send.
constexpr std::uint8_t kSelectors[] = {0, 1, 2, 3, 4, 0xFF};

const MainWindowStrings& Strings()
{
    static const MainWindowStrings strings = [] {
        MainWindowStrings filled;
        FillMainWindowStrings(filled, Language::English);
        return filled;
    }();
    return strings;
}

// The pages' side of the main window. Drawing only builds the list of
// pictures and labels, so no window is ever made and nothing is painted.
class CContentHost final : public IPageHost {
public:
    CWnd& Window() override { return m_window; }
    const MainWindowStrings& Texts() const override { return Strings(); }
    void Repaint(std::span<const SkinPicture>) override {}

private:
    CWnd m_window;
};

// The pages live as long as the process, as the window's do: the key page
// runs the first-run defaults once, at its first drawing, when the file asks
// for them, and writes its labels to a scratch str.ini.
struct CPages {
    CPages() { keyPage.UseLabelFile(labelFile.Path(), u"Setting-EN"); }

    CFuzzInputFile labelFile{"str.ini"};
    CContentHost host;
    CAssignmentDialogs dialogs;
    CKeyPage keyPage{host, dialogs};
    CDpiPage dpiPage{host};
    CRateLightingPage ratePage{host};
};

// Every page's content and every hover picture of its boxes, as the window
// draws them from the record.
void DrawPages(std::uint8_t firstRunFlag)
{
    static CPages pages;
    CKeyPage& keyPage = pages.keyPage;
    CDpiPage& dpiPage = pages.dpiPage;
    CRateLightingPage& ratePage = pages.ratePage;
    std::vector<SkinPicture> content;
    keyPage.AppendContent(content, firstRunFlag);
    dpiPage.AppendContent(content);
    ratePage.AppendContent(content);
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < layout::kSlotBoxCount; ++slot) {
            content.push_back(keyPage.ElementPicture(layout::hover::keys::Slot(keySet, slot), true));
        }
    }
    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        content.push_back(dpiPage.ElementPicture(layout::hover::dpi::Stage(stage), true));
    }
    Require(!content.empty());
}

// What shows the record: the pages, and the DPI-stage balloons.
void ShowRecord(std::uint8_t firstRunFlag)
{
    DrawPages(firstRunFlag);
    for (LPARAM stage = 1; stage <= static_cast<LPARAM>(kDpiStageCount); ++stage) {
        Require(BalloonForNotification(Strings(), kNotifyDpiStage, stage).has_value());
    }
}

void EncodeRecord(std::uint8_t selector)
{
    DeviceImage image{};
    std::memset(image.data(), 0xA5, image.size());
    EncodeRecordIntoImage(g_settingsRecord, selector, image);
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            ButtonBytesOfSlot(g_settingsRecord, keySet, slot);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CSilentBoxes boxes;
    static const bool installed = (SetMessageBoxPresenter(&boxes), true);
    static CFuzzInputFile file("config.bin");
    (void)installed;

    file.Write({data, size});
    std::uint8_t firstRunFlag = 0;
    std::memset(&g_settingsRecord, 0, sizeof g_settingsRecord);
    LoadSettingsFile(file.Path(), firstRunFlag, g_settingsRecord);
    const bool loaded = size == kSettingsFileSize;
    Require(loaded ? std::memcmp(&g_settingsRecord, data + 1, kSettingsRecordSize) == 0 && firstRunFlag == data[0]
                   : firstRunFlag == 0);
    for (const std::uint8_t selector : kSelectors) {
        DpiTableSet = selector;
        ShowRecord(firstRunFlag);
        EncodeRecord(selector);
    }
    return 0;
}
