// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The assignment dialogs alone, without the main window: headless, with the
// built skins beside a stand-in executable path in the output folder, and a
// chosen system language. A test queues what the person does inside the
// modal loop and reads the dialog's result after it.

#include <functional>
#include <string>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/testing.h"
#include "tests/support/process_state.h"

class DialogsTest : public HeadlessProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether the system language is 2052, 1028 or anything else.
    void UseLanguage(LANGID langId);
};

// The left-most and right-most column (exclusive) of the skin's text colour
// inside area; an empty range when no text is there.
struct Columns {
    int first = 0;
    int last = 0;
    bool Empty() const { return last <= first; }
    double Centre() const { return (first + last) / 2.0; }
};
Columns TextColumns(const wndtest::WindowImage& image, const CRect& area);
