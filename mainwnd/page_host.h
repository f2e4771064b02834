// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a page of the main window uses of the window: the window itself
// (parent of the drop-down lists, owner of message boxes), its texts, and the
// repaint of its canvas.

#include <span>

#include "lang/main_strings.h"
#include "skin/repaint.h"

class CWnd;

class IPageHost {
public:
    virtual CWnd& Window() = 0;
    virtual const MainWindowStrings& Texts() const = 0;
    // Paints the pictures (and labels) in order into the canvas, then copies
    // the whole client area to the screen.
    virtual void Repaint(std::span<const SkinPicture> pictures) = 0;

protected:
    ~IPageHost() = default;
};
