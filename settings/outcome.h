// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What became of talking to the mouse or writing the settings files: done,
// or what failed, with the system's error code where there is one. The code
// that does the work reports; whoever started it says so, the window in a
// message box and the command in an error line, both in the words below.

#include <cstdint>
#include <string>
#include <string_view>

enum class Failure : std::uint8_t {
    None,
    MouseAbsent,      // no mouse among the present devices (nothing said here)
    CollectionOpen,   // a collection of the mouse could not be opened
    MouseRead,        // the read sequence ended early or answered wrongly
    MouseWrite,       // the write sequence ended early, or the image was not the mouse's
    SettingsMissing,  // config.bin does not exist
    SettingsWrite,    // config.bin could not be written
};

struct Outcome {
    Failure failure = Failure::None;
    std::uint32_t systemError = 0;  // for CollectionOpen and SettingsWrite

    bool Done() const { return failure == Failure::None; }
};

// What the user is told of a failure: the text and the caption (empty: the
// application's name). `mouseNotFound` is the text of a failed transfer in
// the language in force. Nothing is said of None and MouseAbsent: `said` is
// false for them.
struct OutcomeMessage {
    bool said = false;
    std::u16string text;
    std::u16string caption;
};
OutcomeMessage MessageOf(const Outcome& outcome, std::u16string_view mouseNotFound);
