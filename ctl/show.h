// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `show`: every setting in words, as text for people or as JSON for scripts.

#include <cstdint>
#include <string>

#include "lang/language.h"
#include "settings/settings_record.h"

// What is shown: a record and the DPI table its positions belong to. A
// record decoded from the mouse has no key-set selector and keeps only the
// parameter of the lighting mode in force.
struct SettingsView {
    SettingsRecord record{};
    std::uint8_t dpiTable = 0;
    bool fromMouse = false;
};

// Text: framing words in English, the functions and their details as the
// window names them in `language`. Ends with a newline.
std::string ShowText(const SettingsView& view, Language language);

// JSON with English keys and values, the same for every language.
std::string ShowJson(const SettingsView& view);
