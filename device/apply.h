// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Apply: the one moment the user's choices reach the mouse and the files.

#include <cstdint>
#include <string>

#include "device/transfer.h"
#include "settings/label_file.h"
#include "settings/outcome.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

// What Apply reads and writes: the record and the DPI table set it is
// encoded with, the mouse it goes to through its image, and the two files.
struct ApplyTargets {
    const SettingsRecord& record;
    std::uint8_t dpiTableSet;
    const DeviceLink& link;
    MouseImage mouse;
    const SettingsFilePaths& paths;
    const std::u16string& labelSection;
    const SlotLabels& labels;
};

// What became of each step of Apply, in the order they ran.
struct ApplyOutcome {
    Outcome written;             // the image reached the mouse
    Outcome settingsSaved;       // config.bin was rewritten
    bool labelsSaved = false;    // str.ini was rewritten (or already held the labels)
};

// Encodes the record into the device image, writes the image to the mouse,
// then saves config.bin and the slot labels. Each step runs whatever became
// of the one before: a failed write still saves both files.
ApplyOutcome ApplySettings(const ApplyTargets& targets);
