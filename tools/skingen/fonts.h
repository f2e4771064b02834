// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace skin {

enum class Lang { EN, CHS };

// The faces the artwork uses. They are loaded from fixed font files of the
// Debian font packages the project installs, never looked up by whatever the
// machine happens to have, so every machine draws the same glyphs. Label is
// the face the program draws its own bold labels with; previews use it.
enum class Face { Sans, SansBold, Cjk, CjkBold, Label };

// Loads every font file; throws std::runtime_error naming the first missing
// or unreadable one.
void LoadFonts();

// A font of the face at a pixel size, unhinted and without fallback to other
// families, so a glyph the face lacks shows up as a visible fault.
QFont MakeFont(Face face, qreal pixelSize, qreal letterSpacing = 0);

// The caption font of a language: a Latin face for EN, the CJK face for CHS.
QFont CaptionFont(Lang lang, qreal pixelSize, bool bold = false, qreal letterSpacing = 0);

}  // namespace skin
