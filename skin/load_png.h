// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a skin picture straight from its file onto a device context.
// Nothing is cached: every call reads and decodes the file again.

#include <string_view>

#include "platform/windef.h"

class CDC;
class CImage;

// Draws the picture at path with its top-left corner at (x, y) of target:
// blended with per-pixel alpha when it has transparency, copied otherwise.
// Returns 1 when drawn. Returns 0 without drawing when target is null, and
// when the file cannot be loaded, after telling the user through owner's
// message box.
int LoadPng(HWND owner, CDC* target, std::u16string_view path, int x, int y);

// Scales blue, green and red of every 32-bit pixel by its alpha,
// c * a / 255 rounded down; alpha stays. Other depths are left alone.
void PremultiplyAlpha(CImage& image);
