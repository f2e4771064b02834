// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's canvas: its skin picture, loaded once and kept as the retained
// picture of the whole client area. Never premultiplied.

#include <memory>
#include <string_view>

#include "platform/gdi/bitmap.h"
#include "platform/windef.h"

// The picture at path as a bitmap the window owns, at the window's density
// dpi (GetDpiForWindow); null when it cannot be loaded (the caller decides
// whether that is worth a message).
std::unique_ptr<CBitmap> LoadCanvas(std::u16string_view path, UINT dpi = USER_DEFAULT_SCREEN_DPI);
