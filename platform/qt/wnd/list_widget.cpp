// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/list_widget.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/gdi/dc.h"
#include "platform/qt/wnd/control_input.h"
#include "platform/qt/wnd/density.h"
#include "platform/qt/wnd/native_window.h"
#include "platform/wnd/cwnd.h"

namespace {

// The selected item keeps the system's highlight, whatever the parent answers.
constexpr COLORREF kHighlight = RGB(0, 120, 215);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr int kTextIndent = 2;

class CListItemPainter : public QStyledItemDelegate {
public:
    explicit CListItemPainter(CListWidget* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), CListWidget::kItemHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int width = option.rect.width();
        const int height = option.rect.height();
        // The row is drawn in the pixels of the screen the list is on.
        CBitmap row;
        if (!row.CreateBitmapForDpi(width, height, desktop::DpiOfPaintDevice(*painter->device()))) {
            return;
        }
        const ControlColours& colours = m_list->Colours();
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        CFont font;
        const std::unique_ptr<CDC> dc = CDC::ForSurface(row);
        dc->FillSolidRect(CRect(0, 0, width, height), selected ? kHighlight : colours.background);
        dc->SetTextColor(selected ? kHighlightText : colours.text);
        dc->SetBkMode(colours.bkMode);
        dc->SetBkColor(selected ? kHighlight : colours.textBackground);
        if (colours.font && font.CreateFontIndirect(&*colours.font)) {
            dc->SelectObject(&font);
        }
        CRect textRect(kTextIndent, 0, width, height);
        const std::u16string text = index.data(Qt::DisplayRole).toString().toStdU16String();
        dc->DrawText(text, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        QImage image(row.Bits(), row.Width(), row.Height(), row.Pitch(), QImage::Format_RGB32);
        image.setDevicePixelRatio(static_cast<qreal>(row.Dpi()) / USER_DEFAULT_SCREEN_DPI);
        painter->drawImage(option.rect.topLeft(), image);
    }

private:
    CListWidget* m_list;
};

}  // namespace

CListWidget::CListWidget(QWidget* parent, DWORD style) : QListWidget(parent), m_style(style)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((style & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // WS_BORDER is a thin black line.
    setFrameShape((style & WS_BORDER) != 0 ? QFrame::Box : QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    QPalette frame = palette();
    frame.setColor(QPalette::WindowText, Qt::black);
    setPalette(frame);
    setFocusPolicy(Qt::ClickFocus);
    setItemDelegate(new CListItemPainter(this));
    viewport()->setMouseTracking(true);
    auto* filter = new CControlInputFilter(this, [this](QWidget*, const QMouseEvent& event) { OnMouse(event); });
    viewport()->installEventFilter(filter);
    installEventFilter(filter);
}

int CListWidget::RowAt(QPoint point) const
{
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
}

void CListWidget::paintEvent(QPaintEvent* event)
{
    if (CWnd* control = CWnd::FromHandle(WindowOfWidget(this))) {
        m_colours = AskControlColours(*control, WM_CTLCOLORLISTBOX);
    }
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(),
            QColor(GetRValue(m_colours.background), GetGValue(m_colours.background), GetBValue(m_colours.background)));
    }
    QListWidget::paintEvent(event);
}

void CListWidget::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) {
        Notify(LBN_SELCHANGE);
    }
}

void CListWidget::OnMouse(const QMouseEvent& event)
{
    if (event.button() == Qt::RightButton) {
        return;
    }
    const int row = RowAt(event.position().toPoint());
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (row >= 0) {
            setCurrentRow(row);
        }
        m_captured = true;
        if (event.type() == QEvent::MouseButtonDblClick) {
            Notify(LBN_DBLCLK);
        }
        break;
    case QEvent::MouseMove:
        if (m_captured && (event.buttons() & Qt::LeftButton) != 0 && row >= 0) {
            setCurrentRow(row);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_captured) {
            m_captured = false;
            if (count() > 0) {
                Notify(LBN_SELCHANGE);
            }
        }
        break;
    default:
        break;
    }
}

void CListWidget::Notify(WORD code)
{
    CWnd* control = CWnd::FromHandle(WindowOfWidget(this));
    if ((m_style & LBS_NOTIFY) == 0 || control == nullptr || control->GetParent() == nullptr) {
        return;
    }
    control->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control->GetDlgCtrlID()), code),
        reinterpret_cast<LPARAM>(control->m_hWnd));
}
