// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/density.h"

#include <cmath>

#include <QPaintDevice>
#include <QWidget>

#include "platform/gdi/bitmap.h"

namespace desktop {
namespace {

UINT g_override = 0;

UINT DpiOfRatio(qreal ratio)
{
    const long dpi = std::lround(ratio * USER_DEFAULT_SCREEN_DPI);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT DpiOfWidget(const QWidget& widget)
{
    return g_override != 0 ? g_override : DpiOfRatio(widget.devicePixelRatioF());
}

UINT DpiOfPaintDevice(const QPaintDevice& device)
{
    return g_override != 0 ? g_override : DpiOfRatio(device.devicePixelRatioF());
}

void SetScreenDpiOverride(UINT dpi)
{
    g_override = dpi;
}

}  // namespace desktop
