// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/wnd/records.h"

namespace desktop {

HeadlessRecords& Records()
{
    static HeadlessRecords records;
    return records;
}

void CountSystemMove()
{
    ++Records().systemMoves;
}

}  // namespace desktop
