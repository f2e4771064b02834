// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"

#include "fonts.h"
#include "output.h"
#include "paint.h"
#include "skinset.h"
#include "theme.h"

#include <QDir>
#include <QPainter>

#include <stdexcept>
#include <vector>

namespace skin {
namespace {

struct Item {
    QString label;
    QImage image;
};

QImage Load(const QString& path)
{
    QImage image(path, "png");
    if (image.isNull()) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return image;
}

void Checkerboard(QPainter& p, const QRect& r)
{
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y < r.bottom(); y += 8) {
        for (int x = r.left(); x < r.right(); x += 8) {
            const bool dark = ((x - r.left()) / 8 + (y - r.top()) / 8) % 2 == 0;
            p.fillRect(QRect(x, y, 8, 8), dark ? QColor(70, 70, 70) : QColor(100, 100, 100));
        }
    }
    p.restore();
}

std::vector<Item> Items(const QString& outDir)
{
    std::vector<Item> items;
    for (Lang lang : {Lang::EN, Lang::CHS}) {
        const QString folder = FolderOf(lang);
        for (const Picture& picture : Pictures()) {
            items.push_back({folder + picture.name, Load(QDir(outDir).filePath(folder) + picture.name)});
        }
    }
    for (int size : kIconSizes) {
        items.push_back({"icons/" + IconFileName(size), Load(QDir(outDir).filePath("icons/" + IconFileName(size)))});
    }
    return items;
}

// Left-to-right rows, wrapping at the sheet's width; returns the height used.
int Flow(QPainter* p, const std::vector<Item>& items, int width)
{
    const int gap = 16;
    const int labelHeight = 20;
    int x = gap;
    int y = gap;
    int rowHeight = 0;
    const QFont font = MakeFont(Face::Sans, 12);
    for (const Item& item : items) {
        const int w = std::max(item.image.width(), static_cast<int>(TextWidth(item.label, font)) + 4);
        if (x + w > width - gap && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        if (p) {
            const QRect at(QPoint(x, y + labelHeight), item.image.size());
            if (item.image.hasAlphaChannel()) {
                Checkerboard(*p, at);
            }
            p->drawImage(at.topLeft(), item.image);
            Caption(*p, QRectF(x, y, w, labelHeight - 4), Qt::AlignLeft, item.label, font, QColor(220, 220, 220));
        }
        x += w + gap;
        rowHeight = std::max(rowHeight, item.image.height() + labelHeight);
    }
    return y + rowHeight + gap;
}

}  // namespace

QImage ContactSheet(const QString& outDir)
{
    const std::vector<Item> items = Items(outDir);
    const int width = 1600;
    QImage sheet = NewImage(QSize(width, Flow(nullptr, items, width)));
    sheet.fill(QColor(40, 40, 40));
    QPainter p(&sheet);
    Prepare(p);
    Flow(&p, items, width);
    return sheet;
}

}  // namespace skin
