// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HID collections present, as discovery walks them, for a diagnosis:
// every interface with what its attributes and capabilities say, opened
// only to be asked and closed again at once.

#include <string>
#include <vector>

#include "platform/hid.h"

// The device path of the interface at `memberIndex` of `set`; `ok` false (and
// the path empty) when there is none or its detail cannot be read.
std::u16string InterfaceDevicePath(HDEVINFO set, DWORD memberIndex, bool& ok);

struct SurveyedCollection {
    std::u16string path;
    bool probed = false;       // it opened for its attributes
    DWORD openError = 0;       // the system error code when it did not
    HIDD_ATTRIBUTES attributes{};
    bool haveCaps = false;     // only asked of the mouse's collections
    HIDP_CAPS caps{};
};

// Every interface the device-information set lists, in its order; nothing
// when the set cannot be had.
std::vector<SurveyedCollection> SurveyHidCollections();
