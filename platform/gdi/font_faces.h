// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the face names the windows ask for meet the font
// families installed on the desktop.

#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

// Installed families for a face, best first; later ones supply glyphs the
// first lacks (Chinese texts in a Latin face). Faces are compared without
// regard to ASCII case; an unknown or empty face is chosen by character set
// and pitch-and-family.
std::vector<std::string> InstalledFamiliesForFace(std::u16string_view face, BYTE charSet, BYTE pitchAndFamily);
