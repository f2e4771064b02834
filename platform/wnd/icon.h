// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons by resource id. The program names the files of each of its icons
// once (RegisterIconFiles); loading one then reads them from beside the
// executable.

#include <string_view>

#include "platform/windef.h"

struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;

// Icon `resourceId` is drawn from icons/<name>-<size>.png beside the
// executable, one file for each size there is. Registering an id again
// names the files of its icon loaded from then on; handles loaded before
// stay good.
void RegisterIconFiles(UINT resourceId, std::u16string_view name);

// Loads resource icon `resourceId` from its files. Missing files give an
// empty icon, never a failure; an id with no files registered gives nullptr.
HICON LoadIconW(UINT resourceId);
