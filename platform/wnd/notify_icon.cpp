// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/notify_icon.h"

#include <algorithm>

UINT BalloonShowTime(UINT requestedMs)
{
    constexpr UINT kShortestMs = 10000;
    constexpr UINT kLongestMs = 30000;
    return std::clamp(requestedMs, kShortestMs, kLongestMs);
}
