// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a datagram on the notification channel,
// from another program of the user. A datagram is either dropped or decodes
// to exactly one message that encodes back to the same bytes; the message's
// code and detail, however wild, give a balloon or nothing in every language,
// whatever DPI stage positions and DPI table are in force.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "lang/language.h"
#include "lang/main_strings.h"
#include "tray/notifications.h"
#include "platform/ipc/window_message_channel.h"
#include "settings/dpi_tables.h"
#include "settings/settings_state.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese};

// The longest balloon text the notification area takes, terminator aside.
constexpr std::size_t kBalloonTextCapacity = 255;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MainWindowStrings strings[std::size(kLanguages)];
    static const bool filled = [] {
        for (std::size_t i = 0; i < std::size(kLanguages); ++i) {
            FillMainWindowStrings(strings[i], kLanguages[i]);
        }
        return true;
    }();
    (void)filled;

    const std::string_view datagram(reinterpret_cast<const char*>(data), size);
    const auto message = DecodeWindowMessage(datagram);
    if (!message) {
        return 0;
    }
    Require(size == kWindowMessageDatagramSize && EncodeWindowMessage(*message) == datagram);
    // The datagram's own bytes stand for the state the balloons read.
    std::memcpy(g_settingsRecord.dpiStageIndex, data + 4, kDpiStageCount);
    DpiTableSet = data[8];
    for (const MainWindowStrings& language : strings) {
        if (const auto balloon = BalloonForNotification(language, message->wParam, message->lParam)) {
            Require(!balloon->text.empty() && balloon->text.size() <= kBalloonTextCapacity);
        }
    }
    return 0;
}
