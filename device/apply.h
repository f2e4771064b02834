// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Apply: the one moment the user's choices reach the mouse and the files.

#include <string>
#include <string_view>

#include "platform/windef.h"
#include "settings/label_file.h"
#include "settings/settings_file.h"

struct ApplyTargets {
    std::u16string_view mouseNotFound;  // the write failure's text in the language in force
    const SettingsFilePaths& paths;
    const std::u16string& labelSection;
    const SlotLabels& labels;
};

// What became of each step of Apply.
struct ApplyOutcome {
    bool written = false;        // the image reached the mouse
    bool settingsSaved = false;  // config.bin was rewritten
    bool labelsSaved = false;    // str.ini was rewritten (or already held the labels)
};

// Encodes the settings record into the device image, writes the image to the
// mouse, then saves config.bin and the slot labels. Each step runs whatever
// became of the one before: a failed write shows its own message and both
// files are still saved; failed saves show theirs. Message boxes are owned
// by owner.
ApplyOutcome ApplySettings(HWND owner, const ApplyTargets& targets);
