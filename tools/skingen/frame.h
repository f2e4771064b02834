// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"

#include <QImage>
#include <QPoint>

class QPainter;

namespace skin {

// Paints one picture over another at a point, as the program will.
void Place(QPainter& p, QPoint at, const QImage& picture);

// The main window's frame for a page: backdrop, title bar with the window
// buttons, the tabs with `page` (0 to 2, or -1 for none) marked, the page's
// heading, the content panel, the bottom buttons and the web address.
void MainFrame(QPainter& p, Lang lang, int page);

// The content panel of the main window.
QRectF ContentPanel();

// Section heading with a short lit underline, inside the content panel.
void SectionHeading(QPainter& p, Lang lang, QPointF at, const QString& text);

}  // namespace skin
