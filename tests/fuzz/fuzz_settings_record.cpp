// libFuzzer target: any bytes as config.bin, taken the way the main window
// takes the file: loaded into the settings record, shown from it, and encoded
// from it into the device image on Apply, under every DPI table the mouse may
// report. The record's bytes index tables throughout; none of it may read
// outside a table (the standard library's bounds checks are on).

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/language.h"
#include "app/main_strings.h"
#include "app/notifications.h"
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

// What shows the record: the DPI-stage balloons read the stage positions.
// The pages' drawing of the record goes here as well.
void ShowRecord()
{
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
    LoadSettingsFile(nullptr, file.Path(), firstRunFlag, g_settingsRecord);
    const bool loaded = size == kSettingsFileSize;
    Require(loaded ? std::memcmp(&g_settingsRecord, data + 1, kSettingsRecordSize) == 0 && firstRunFlag == data[0]
                   : firstRunFlag == 0);
    for (const std::uint8_t selector : kSelectors) {
        DpiTableSet = selector;
        ShowRecord();
        EncodeRecord(selector);
    }
    return 0;
}
