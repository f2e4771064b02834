// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/msg_box_presenter.h"

#include <QMessageBox>

#include <algorithm>
#include <vector>

#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/cwnd.h"

namespace {

// The boxes up now, the newest last.
std::vector<QMessageBox*>& OpenBoxes()
{
    static std::vector<QMessageBox*> boxes;
    return boxes;
}

}  // namespace

void CloseOpenMessageBoxes()
{
    for (QMessageBox* box : std::vector<QMessageBox*>(OpenBoxes())) {
        box->done(QMessageBox::Ok);
    }
}

int CQtMessageBoxPresenter::Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT)
{
    CWnd* window = CWnd::FromHandle(owner);
    QWidget* parent = window != nullptr && window->Native() != nullptr ? window->Native()->Widget() : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(caption.data(), static_cast<qsizetype>(caption.size())),
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, parent);
    OpenBoxes().push_back(&box);
    box.exec();
    std::erase(OpenBoxes(), &box);
    return static_cast<int>(IDOK);
}
