// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/services/process.h"
#include "platform/services/shell.h"
#include "platform/winuser.h"
#include "tests/support/platform_state.h"

namespace {

class CRecordingOpener final : public IShellOpener {
public:
    bool Open(std::u16string_view target) override
    {
        opened.emplace_back(target);
        return answer;
    }
    std::vector<std::u16string> opened;
    bool answer = true;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformState();
        SetShellOpener(&m_opener);
    }
    void TearDown() override { ResetPlatformState(); }

    CRecordingOpener m_opener;
};

std::intptr_t Code(HINSTANCE result) { return reinterpret_cast<std::intptr_t>(result); }

TEST_F(ShellTest, OpenReachesTheOpener)
{
    EXPECT_GT(Code(ShellExecuteW(nullptr, u"open", u"http://example.com/", nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_EQ(m_opener.opened, std::vector<std::u16string>{u"http://example.com/"});
    m_opener.answer = false;
    EXPECT_LE(Code(ShellExecuteW(nullptr, nullptr, u"http://example.com/", nullptr, nullptr, SW_SHOWNORMAL)), 32);
}

TEST_F(ShellTest, OtherVerbsAndEmptyTargetsOpenNothing)
{
    EXPECT_LE(Code(ShellExecuteW(nullptr, u"print", u"x", nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_LE(Code(ShellExecuteW(nullptr, u"open", u"", nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_LE(Code(ShellExecuteW(nullptr, u"open", nullptr, nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_TRUE(m_opener.opened.empty());
}

struct ExitObserved {
    UINT code;
};

TEST(ExitProcessTest, EndsTheProcessWithTheCode)
{
    EXPECT_EXIT(ExitProcess(7), ::testing::ExitedWithCode(7), "");
}

TEST(ExitProcessTest, HookSeesTheCodeFirst)
{
    SetExitProcessHookForTesting([](UINT code) { throw ExitObserved{code}; });
    try {
        ExitProcess(0);
    } catch (const ExitObserved& exit) {
        EXPECT_EQ(exit.code, 0u);
    }
    SetExitProcessHookForTesting(nullptr);
}

}  // namespace
