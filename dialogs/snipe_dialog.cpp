// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/snipe_dialog.h"

#include "settings/dpi_tables.h"

CSnipeDialog::CSnipeDialog(const std::uint8_t& dpiTableSet, CWnd* parent)
    : CListDialog(kSnipeDialog, parent), m_dpiTableSet(dpiTableSet)
{
}

std::vector<std::u16string_view> CSnipeDialog::Entries(Language) const
{
    const auto values = DpiValueList(m_dpiTableSet);
    return {values.begin(), values.end()};
}
