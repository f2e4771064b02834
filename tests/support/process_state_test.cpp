// SPDX-License-Identifier: GPL-3.0-or-later
// The one reset every fixture relies on: whatever a test put in place of the
// system or left in the program's state is gone after it, so that the next
// test starts as a fresh process does.

#include <gtest/gtest.h>

#include "platform/module.h"
#include "platform/services/system_info.h"
#include "settings/dpi_tables.h"
#include "settings/exe_path.h"
#include "settings/settings_state.h"
#include "tests/support/process_state.h"

TEST(ProcessState, TheOneResetPutsBackWhatATestReplacedOrChanged)
{
    ResetProcessState();
    const LANGID language = GetSystemDefaultLangID();
    const std::u16string name = ApplicationName();
    const std::u16string module = ModulePath();
    const SettingsRecord record = g_settingsRecord;

    SetSystemDefaultLangIdForTesting(language == 2052 ? 1028 : 2052);
    SetApplicationNameForTesting(u"another-name");
    SetModulePathForTesting(u"/nowhere/else/KX-507");
    DpiTableSet = 2;
    g_settingsRecord.reportInterval = record.reportInterval == 8 ? 1 : 8;
    ASSERT_NE(GetSystemDefaultLangID(), language);
    ASSERT_NE(ModulePath(), module);

    ResetProcessState();
    EXPECT_EQ(GetSystemDefaultLangID(), language);
    EXPECT_EQ(ApplicationName(), name);
    EXPECT_EQ(ModulePath(), module);
    EXPECT_EQ(DpiTableSet, 0);
    EXPECT_EQ(g_settingsRecord.reportInterval, record.reportInterval);
}
