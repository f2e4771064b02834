// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget of a list box control. Selection by pointer and the
// notifications follow the Windows list box: a press selects the item under
// it, dragging with the button held follows the pointer, the release reports
// LBN_SELCHANGE (also for the item already selected) and a double click
// LBN_DBLCLK; moving the selection with the keyboard reports LBN_SELCHANGE. Items are drawn through the framework's device context in the
// colours and font of the parent's WM_CTLCOLORLISTBOX answer.

#include <QListWidget>

#include "platform/windef.h"
#include "platform/wnd/ctl_color.h"

class CListWidget : public QListWidget {
public:
    // Every item is one line of the list box's default font height.
    static constexpr int kItemHeight = 16;

    CListWidget(QWidget* parent, DWORD style);

    const ControlColours& Colours() const { return m_colours; }
    // Item under a viewport point, -1 when there is none.
    int RowAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Reached only through the control's default handling of a key message.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnMouse(const QMouseEvent& event);
    void Notify(WORD code);

    DWORD m_style;
    bool m_captured = false;
    ControlColours m_colours;
};
