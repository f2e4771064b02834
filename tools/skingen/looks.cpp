// SPDX-License-Identifier: GPL-3.0-or-later
#include "looks.h"

#include "theme.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skin {
namespace {

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb rgb)
{
    return 0.2126 * Linear(qRed(rgb)) + 0.7152 * Linear(qGreen(rgb)) + 0.0722 * Linear(qBlue(rgb));
}

// Mean luminance of a rectangle of an opaque or alpha picture, the latter
// taken over black, as the program's dark canvases show it.
double MeanLuminance(const QImage& image, const QRect& rect)
{
    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect r = rect.intersected(image.rect());
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            sum += Luminance(premultiplied.pixel(x, y));
        }
    }
    return r.isEmpty() ? 1.0 : sum / (r.width() * r.height());
}

double ContrastWithText(double background)
{
    return (Luminance(kText.rgb()) + 0.05) / (background + 0.05);
}

struct TextArea {
    const char* picture;
    QRect rect;
};

// Where the program writes in the skin's text colour straight onto a picture.
const std::vector<TextArea>& TextAreas()
{
    static const std::vector<TextArea> areas{
        {"/DropdownBox-normal.png", QRect(QPoint(1, 1), QSize(kDropdown.width() - kDropdownArrow - 1, 27))},
        {"/DropdownBox-over.png", QRect(QPoint(2, 2), QSize(kDropdown.width() - kDropdownArrow - 2, 25))},
        {"/fire-key.png", kFireLabels[0]},
        {"/fire-key.png", kFireLabels[1]},
        {"/fire-key.png", kFireLabels[2]},
        {"/fire-key.png", kFireHelp.intersected(QRect(QPoint(0, 0), kDialogSize))},
        {"/fire-key.png", kFireEdits[0]},
        {"/single-key.png", kSinglePrompt},
    };
    return areas;
}

void CheckTabs(const QHash<QString, QImage>& images, const QString& folder, QStringList& problems)
{
    const char* pages[3] = {"/KeySet.png", "/DPISet.png", "/LEDSet.png"};
    for (int page = 0; page < 3; ++page) {
        if (!images.contains(pages[page])) {
            continue;
        }
        double brightest = -1;
        int marked = -1;
        for (int tab = 0; tab < 3; ++tab) {
            const double l = MeanLuminance(images[pages[page]], kTabs[tab]);
            if (l > brightest) {
                brightest = l;
                marked = tab;
            }
        }
        if (marked != page) {
            problems << folder + pages[page] + ": its own tab is not the marked one";
        }
    }
}

}  // namespace

void CheckLooks(const QHash<QString, QImage>& images, const QString& folder, QStringList& problems)
{
    CheckTabs(images, folder, problems);
    for (const TextArea& area : TextAreas()) {
        if (!images.contains(area.picture)) {
            continue;
        }
        // 4.5 to 1 is the usual floor for small text.
        const double contrast = ContrastWithText(MeanLuminance(images[area.picture], area.rect));
        if (contrast < 4.5) {
            problems << folder + area.picture +
                            QString(": too bright for the labels at (%1, %2), contrast %3")
                                .arg(area.rect.left())
                                .arg(area.rect.top())
                                .arg(contrast, 0, 'f', 1);
        }
    }
}

}  // namespace skin
