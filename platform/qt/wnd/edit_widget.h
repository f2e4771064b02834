// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget of an edit control: single line, ES_NUMBER accepting only
// digits as typed, ES_CENTER centring; EN_CHANGE for every change of the
// text, typed or set; colours and font from the parent's WM_CTLCOLOREDIT
// answer, asked before each paint.

#include <QLineEdit>

#include "platform/windef.h"

class CEditWidget : public QLineEdit {
public:
    CEditWidget(QWidget* parent, DWORD style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Notify(WORD code);
};
