// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/edit_widget.h"

#include <QRegularExpressionValidator>

#include "platform/qt/wnd/control_input.h"
#include "platform/qt/gdi/qt_font.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/ctl_color.h"
#include "platform/wnd/cwnd.h"

namespace {

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace

CEditWidget::CEditWidget(QWidget* parent, DWORD style) : QLineEdit(parent)
{
    setFrame((style & WS_BORDER) != 0);
    setAlignment((style & ES_CENTER) != 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if ((style & ES_NUMBER) != 0) {
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    }
    setFocusPolicy(Qt::ClickFocus);
    installEventFilter(new CControlInputFilter(this, nullptr));
    connect(this, &QLineEdit::textChanged, this, [this] { Notify(EN_CHANGE); });
}

void CEditWidget::paintEvent(QPaintEvent* event)
{
    if (CWnd* control = CWnd::FromHandle(WindowOfWidget(this))) {
        const ControlColours colours = AskControlColours(*control, WM_CTLCOLOREDIT);
        QPalette colouring = palette();
        colouring.setColor(QPalette::Text, ToQColor(colours.text));
        colouring.setColor(QPalette::Base, ToQColor(colours.background));
        colouring.setColor(QPalette::Window, ToQColor(colours.background));
        // Only real changes: setting the palette or font asks for another paint.
        if (colouring != palette()) {
            setPalette(colouring);
        }
        if (colours.font) {
            const QFont answered = QFontFromLogFont(*colours.font);
            if (answered != font()) {
                setFont(answered);
            }
        }
    }
    QLineEdit::paintEvent(event);
}

void CEditWidget::Notify(WORD code)
{
    CWnd* control = CWnd::FromHandle(WindowOfWidget(this));
    if (control == nullptr || control->GetParent() == nullptr) {
        return;
    }
    control->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control->GetDlgCtrlID()), code),
        reinterpret_cast<LPARAM>(control->m_hWnd));
}
