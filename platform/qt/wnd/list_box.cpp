// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/list_box.h"

#include <algorithm>

#include "platform/qt/wnd/list_widget.h"
#include "platform/qt/wnd/native_window.h"

namespace {

CListWidget* ListOf(const CWnd& window)
{
    return window.Native() != nullptr ? dynamic_cast<CListWidget*>(window.Native()->Widget()) : nullptr;
}

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

BOOL CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (parent == nullptr || parent->Native() == nullptr || parent->Native()->Widget() == nullptr) {
        return FALSE;
    }
    auto* widget = new CListWidget(parent->Native()->Widget(), style);
    return AttachControl(std::make_unique<CNativeWindow>(widget), style, rect, parent, id);
}

int CListBox::AddString(std::u16string_view text)
{
    CListWidget* list = ListOf(*this);
    if (list == nullptr) {
        return LB_ERR;
    }
    list->addItem(ToQString(text));
    return list->count() - 1;
}

int CListBox::GetCount() const
{
    const CListWidget* list = ListOf(*this);
    return list != nullptr ? list->count() : LB_ERR;
}

int CListBox::GetCurSel() const
{
    const CListWidget* list = ListOf(*this);
    if (list == nullptr) {
        return LB_ERR;
    }
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? LB_ERR : list->row(selected.front());
}

int CListBox::SetCurSel(int index)
{
    CListWidget* list = ListOf(*this);
    if (list == nullptr) {
        return LB_ERR;
    }
    if (index == -1) {
        list->clearSelection();
        return LB_ERR;  // as Windows answers a cleared selection
    }
    if (index < 0 || index >= list->count()) {
        return LB_ERR;
    }
    list->setCurrentRow(index);
    list->scrollToItem(list->item(index));
    return index;
}

int CListBox::GetText(int index, std::u16string& text) const
{
    const CListWidget* list = ListOf(*this);
    if (list == nullptr || index < 0 || index >= list->count()) {
        return LB_ERR;
    }
    text = list->item(index)->text().toStdU16String();
    return static_cast<int>(text.size());
}

int CListBox::GetTextLen(int index) const
{
    std::u16string text;
    return GetText(index, text);
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const
{
    const CListWidget* list = ListOf(*this);
    outside = TRUE;
    if (list == nullptr || list->count() == 0) {
        return 0xFFFF;
    }
    const QRect client = list->viewport()->rect();
    outside = client.contains(point.x, point.y) ? FALSE : TRUE;
    // The nearest item: points beyond the items or the client area are
    // clamped to it, as Windows does.
    const int y = std::clamp(point.y, 0, std::max(0, client.height() - 1));
    int row = list->RowAt(QPoint(std::clamp(point.x, 0, std::max(0, client.width() - 1)), y));
    if (row < 0) {
        row = y < CListWidget::kItemHeight ? GetTopIndex() : list->count() - 1;
    }
    return static_cast<UINT>(row);
}

int CListBox::GetItemHeight(int) const
{
    return CListWidget::kItemHeight;
}

int CListBox::GetTopIndex() const
{
    const CListWidget* list = ListOf(*this);
    if (list == nullptr || list->count() == 0) {
        return 0;
    }
    const int row = list->RowAt(QPoint(0, 0));
    return row < 0 ? 0 : row;
}
