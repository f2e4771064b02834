// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link to the web site under the main window's buttons: where it lies
// (the page picture draws it). A press (CVantorDlg::OpenWebSite, web_link.cpp)
// opens the maker's web site, whose address the language tables hold as one
// and the same in every language; the press ends there.

#include "platform/geometry.h"

namespace layout {
inline constexpr CRect kWebLink{273, 627, 449, 647};
}  // namespace layout
