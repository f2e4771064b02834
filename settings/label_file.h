// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sixteen slot labels of the key page in str.ini, under the section of the
// current language, so that each language keeps its own labels.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "settings/settings_record.h"

// Key set (0 or 1), then slot 0 to 7.
using SlotLabels = std::array<std::array<std::u16string, kSlotsPerKeySet>, kKeySetCount>;

// Characters read per label, terminating NUL included.
inline constexpr std::size_t kLabelCapacity = 1024;

// Reads every label from `section`, reading the file once; a missing file or
// key gives an empty label.
void LoadLabels(const std::u16string& labelFile, const std::u16string& section, SlotLabels& labels);

// Writes every label under `section`, creating the file or the section when
// missing and leaving the other sections as they are. The file is read once
// and replaced once, so a failure leaves all the old labels. The program
// shows no failure; the result says whether the file holds the labels now.
bool SaveLabels(const std::u16string& labelFile, const std::u16string& section, const SlotLabels& labels);

// The content SaveLabels would give the file, without writing it, for a
// caller that replaces it together with another file; nothing when the file
// exists but cannot be read.
std::optional<std::string> LabelFileContentWith(const std::u16string& labelFile, const std::u16string& section,
                                                const SlotLabels& labels);
