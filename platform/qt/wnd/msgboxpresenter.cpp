#include "platform/qt/wnd/msgboxpresenter.h"

#include <QMessageBox>

#include "platform/qt/wnd/nativewindow.h"
#include "platform/wnd/cwnd.h"

int CQtMessageBoxPresenter::Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT)
{
    CWnd* window = CWnd::FromHandle(owner);
    QWidget* parent = window != nullptr && window->Native() != nullptr ? window->Native()->Widget() : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(caption.data(), static_cast<qsizetype>(caption.size())),
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, parent);
    box.exec();
    return static_cast<int>(IDOK);
}
