// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/dialogs/dialogs_fixture.h"

#include <filesystem>

#include "platform/services/system_info.h"
#include "settings/exe_path.h"
#include "tests/support/output_folder.h"

void DialogsTest::SetUp()
{
    HeadlessProgramTest::SetUp();
    SetModulePathForTesting((std::filesystem::path(BuildOutputFolder()) / "KX-507").u16string());
    UseLanguage(1033);
}

void DialogsTest::TearDown()
{
    SetSystemDefaultLangIdForTesting(std::nullopt);
    SetModulePathForTesting(std::nullopt);
    HeadlessProgramTest::TearDown();
}

void DialogsTest::UseLanguage(LANGID langId)
{
    SetSystemDefaultLangIdForTesting(langId);
}

// The skin text colour is RGB(0, 255, 198); its anti-aliased edges over the
// dark boxes keep a strong green and little red.
Columns TextColumns(const wndtest::WindowImage& image, const CRect& area)
{
    Columns columns{area.right, area.left};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = image.At(x, y);
            if (GetGValue(pixel) > 160 && GetRValue(pixel) < 90) {
                columns.first = std::min(columns.first, x);
                columns.last = std::max(columns.last, x + 1);
            }
        }
    }
    return columns;
}
