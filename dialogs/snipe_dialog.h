// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The snipe dialog: the DPI value a snipe button switches to, chosen from the
// values the mouse's DPI table offers. The entries are those of the selector
// in force when the list is made (a mouse plugged in meanwhile may have
// brought another table); the same in every language.

#include <cstdint>

#include "dialogs/list_dialog.h"

class CSnipeDialog : public CListDialog {
public:
    // dpiTableSet is the selector in force, read again whenever the list is
    // made; it must outlive the dialog.
    CSnipeDialog(const std::uint8_t& dpiTableSet, CWnd* parent);

protected:
    std::vector<std::u16string_view> Entries(Language language) const override;

private:
    const std::uint8_t& m_dpiTableSet;
};
