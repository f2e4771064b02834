// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates as data: the client size in dialog units, the styles and
// the font a dialog is made with. The program owns its templates and
// registers them here by id (CDialog's constructor that takes a template does
// it); the platform only finds them again. The windows are borderless on this
// desktop whatever border style a template asks for.

#include <optional>

#include "platform/geometry.h"
#include "platform/windef.h"

struct DialogTemplate {
    UINT id = 0;
    int widthDlu = 0;
    int heightDlu = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    const char16_t* className = nullptr;  // nullptr: the system dialog class
    const char16_t* fontFace = nullptr;
    int fontPoints = 0;
    int fontWeight = 0;
    BYTE fontCharSet = 0;
    // The client size in pixels where the owner fixes it apart from the
    // dialog units (to the size of its pictures, say); 0 x 0 takes the units.
    CSize clientPixels;
};

// One dialog unit is 2 pixels each way for the 12-point template font at 96
// dots per inch.
inline constexpr int kPixelsPerDialogUnit = 2;

// Makes the template known under its id; a later registration under the
// same id replaces the earlier one.
void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);
// The template registered under id; none when nothing was.
std::optional<DialogTemplate> FindDialogTemplate(UINT id);
// The client size of a window made from the template.
CSize DialogClientSize(const DialogTemplate& dialogTemplate);
